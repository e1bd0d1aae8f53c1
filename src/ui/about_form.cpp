// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about_form.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>

#include "base/version.h"
#include "ui/app.h"
#include "ui/fonts.h"
#include "ui/text.h"

namespace tq::ui {

namespace {

const QColor kShadow(128, 128, 128);
const QColor kLight(255, 255, 255);

constexpr char kCopyright[] =
    QT_TRANSLATE_NOOP("tq::ui::TAboutForm", "\u00A9 2026 Tessaroon authors");
// The sources of the word lists and their licences, in two rows across the panel; in full in the
// tool tip, the help and beside the lists in Dicts.
constexpr char kSources[] = QT_TRANSLATE_NOOP(
    "tq::ui::TAboutForm", "Words: OpenCorpora, CC BY-SA;\nWordNet and SCOWL licences");

// Below the rule: the copyright row, OK beside it clear of the rule, the sources below both.
// Every row is in the dialog's font and the panel grows to hold them, with free rows above its
// bevel.
constexpr int kTextLeft = 12;
constexpr int kFirstRow = 63;
constexpr int kOkLeft = 155;
constexpr int kRowGap = 3;
constexpr int kBottomRoom = 6;

}  // namespace

QString ProgramTitle() {
    return ToQString(kProgramTitle);
}

BevelPanel::BevelPanel(QWidget* parent) : QWidget(parent) {}

void BevelPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    // Outer bevel, lowered: shadow on the top and left, light on the bottom and right.
    p.setPen(kShadow);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(kLight);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    // Inner bevel, raised: light on the top and left, shadow on the bottom and right.
    const QRect i = r.adjusted(1, 1, -1, -1);
    p.setPen(kLight);
    p.drawLine(i.topLeft(), i.topRight());
    p.drawLine(i.topLeft(), i.bottomLeft());
    p.setPen(kShadow);
    p.drawLine(i.bottomLeft(), i.bottomRight());
    p.drawLine(i.topRight(), i.bottomRight());
}

EtchedLine::EtchedLine(QWidget* parent) : QWidget(parent) {
    setFixedHeight(2);
}

void EtchedLine::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(kShadow);
    p.drawLine(0, 0, width() - 1, 0);
    p.setPen(kLight);
    p.drawLine(0, 1, width() - 1, 1);
}

TAboutForm::TAboutForm(const Style& style, QWidget* parent)
    : OkDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      style_(style) {
    setFont(SansSerif(11));
    setWindowTitle(tr("About Tessaroon"));

    panel_ = new BevelPanel(this);

    imIcon_ = new PictureView(false, panel_);
    imIcon_->setGeometry(26, 12, 32, 32);
    // The icon's sharpest size for the window scale (48 pixels at 1.5, 64 at 2).
    imIcon_->SetImage(ProgramIcon().pixmap(QSize(32, 32), devicePixelRatioF()).toImage());

    // The title twice, the lighter one a pixel down and right: a light shadow.
    const QFont titleFont = SansSerif(13, true);
    lbTitle2_ = new TextLabel(titleFont, panel_);
    lbTitle2_->SetText(ProgramTitle());
    lbTitle2_->SetColour(ToQColor(kTitleShadow));
    lbTitle2_->move(81, 21);
    lbTitle1_ = new TextLabel(titleFont, panel_);
    lbTitle1_->SetText(ProgramTitle());
    lbTitle1_->SetColour(ToQColor(kTitleColour));
    lbTitle1_->move(80, 20);
    lbVer2_ = new TextLabel(titleFont, panel_);
    lbVer2_->SetColour(ToQColor(kTitleShadow));
    lbVer2_->move(61, 29);
    lbVer1_ = new TextLabel(titleFont, panel_);
    lbVer1_->SetColour(ToQColor(kTitleColour));
    lbVer1_->move(60, 28);

    line_ = new EtchedLine(panel_);
    line_->setGeometry(12, 54, 213, 2);

    lbCopyright_ = new QLabel(tr(kCopyright), panel_);
    lbCopyright_->adjustSize();
    lbCopyright_->move(kTextLeft, kFirstRow);
    const int rowHeight = lbCopyright_->height();

    // OK beside the copyright, centred on its row.
    shOk_ = new ShapeView(ShapeView::Kind::RoundRect, panel_);
    shOk_->setGeometry(kOkLeft, kFirstRow + (rowHeight - 19) / 2, 70, 19);
    shOk_->SetFill(std::nullopt);
    btOk_ = new FlatButton(tr("OK"), panel_);
    btOk_->setGeometry(shOk_->geometry().adjusted(1, 1, -1, -1));
    connect(btOk_, &FlatButton::clicked, this, &QDialog::accept);

    lbSources_ = new QLabel(tr(kSources), panel_);
    lbSources_->adjustSize();
    lbSources_->move(
        kTextLeft,
        std::max(lbCopyright_->geometry().bottom(), shOk_->geometry().bottom()) + 1 + kRowGap);
    lbSources_->setToolTip(tr(
        "Russian words: OpenCorpora, CC BY-SA 3.0. English words: WordNet 3.0 (WordNet licence) "
        "and SCOWL (SCOWL licence). The licences lie beside the word lists in the folder Dicts."));

    const int panelHeight = lbSources_->geometry().bottom() + 1 + kBottomRoom;
    panel_->setGeometry(4, 4, 237, panelHeight);
    setFixedSize(244, panelHeight + 7);
}

void TAboutForm::showEvent(QShowEvent* e) {
    shOk_->SetPen(style_.Colour(StyleColour::BorderColor));
    QDialog::showEvent(e);
}

}  // namespace tq::ui
