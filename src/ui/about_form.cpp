// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about_form.h"

#include <QLabel>
#include <QPainter>
#include <QStringList>

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
// The sources of the word lists and their licences, in two short rows of a small font to stay
// left of OK; in full in the tool tip, the help and beside the lists in Dicts.
constexpr char kSources[] = QT_TRANSLATE_NOOP(
    "tq::ui::TAboutForm", "Words: OpenCorpora, CC BY-SA;\nWordNet and SCOWL licences");

// The rows of the second line: from its top at 75 to the inner bevel's last free row, 93, and
// from 12 to a few pixels short of the OK frame at 155.
constexpr int kSourcesTop = 75;
constexpr int kSourcesWidth = 140;
constexpr int kSourcesHeight = 19;

// A label whose rows stand a fixed pitch apart (a small font's own line spacing would push the
// second row onto the bevel), in the largest font from 9 pixels down that fits its box.
class RowsLabel : public QLabel {
  public:
    RowsLabel(const QString& text, QSize box, QWidget* parent) : QLabel(text, parent) {
        const QStringList rows = text.split('\n');
        for (int px = 9; px >= 6; --px) {
            setFont(SansSerif(px));
            pitch_ = std::max(px, 1);
            const QFontMetrics m = fontMetrics();
            int widest = 0;
            for (const QString& r : rows) widest = std::max(widest, m.horizontalAdvance(r));
            size_ = QSize(widest, pitch_ * (static_cast<int>(rows.size()) - 1) + m.height());
            if (widest <= box.width() && size_.height() <= box.height()) break;
        }
    }
    QSize sizeHint() const override { return size_; }
    QSize minimumSizeHint() const override { return size_; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        const QFontMetrics m = fontMetrics();
        int top = 0;
        for (const QString& r : text().split('\n')) {
            p.drawText(0, top + m.ascent(), r);
            top += pitch_;
        }
    }

  private:
    int pitch_ = 9;
    QSize size_;
};

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
    setFixedSize(244, 103);
    setFont(SansSerif(11));
    setWindowTitle(tr("About Tessaroon"));

    panel_ = new BevelPanel(this);
    panel_->setGeometry(4, 4, 237, 96);

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
    lbCopyright_->move(12, 61);
    lbCopyright_->adjustSize();
    lbSources_ = new RowsLabel(tr(kSources), QSize(kSourcesWidth, kSourcesHeight), panel_);
    lbSources_->setGeometry(QRect(QPoint(12, kSourcesTop), lbSources_->sizeHint()));
    lbSources_->setToolTip(tr(
        "Russian words: OpenCorpora, CC BY-SA 3.0. English words: WordNet 3.0 (WordNet licence) "
        "and SCOWL (SCOWL licence). The licences lie beside the word lists in the folder Dicts."));

    shOk_ = new ShapeView(ShapeView::Kind::RoundRect, panel_);
    shOk_->setGeometry(155, 66, 70, 19);
    shOk_->SetFill(std::nullopt);
    btOk_ = new FlatButton(tr("OK"), panel_);
    btOk_->setGeometry(156, 67, 68, 17);
    connect(btOk_, &FlatButton::clicked, this, &QDialog::accept);
}

void TAboutForm::showEvent(QShowEvent* e) {
    shOk_->SetPen(style_.Colour(StyleColour::BorderColor));
    QDialog::showEvent(e);
}

}  // namespace tq::ui
