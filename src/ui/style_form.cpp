// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style_form.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>

#include "base/messages.h"
#include "ui/fonts.h"
#include "ui/help.h"
#include "ui/main_form.h"
#include "ui/text.h"

namespace tq::ui {

ColourSwatch::ColourSwatch(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::SetValue(uint32_t value) {
    value_ = value;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(ToQColor(value_));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColourSwatch::mousePressEvent(QMouseEvent*) {
    emit pressed();
}

TStyleForm::TStyleForm(Style& styleInForce, TMainForm& main)
    : QDialog(&main, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      style_(styleInForce),
      main_(main) {
    setWindowTitle(tr("Style Parameters"));
    setFixedSize(224, 246);
    setFont(SansSerif(11));

    // Four pages behind tabs in two rows, as the dialog is too narrow for one.
    tabs_ = new QButtonGroup(this);
    tabs_->setExclusive(true);
    auto* frame = new QFrame(this);
    frame->setGeometry(4, 50, 216, 160);
    frame->setFrameShape(QFrame::StyledPanel);
    pages_ = new QStackedWidget(frame);
    pages_->setGeometry(1, 1, 214, 158);
    connect(tabs_, &QButtonGroup::idClicked, pages_, &QStackedWidget::setCurrentIndex);

    // General Options.
    auto* general = new QWidget;
    auto* nameLabel = new QLabel(tr("Style name:"), general);
    nameLabel->move(10, 8);
    cbStyle_ = new QComboBox(general);
    cbStyle_->setEditable(true);
    cbStyle_->setInsertPolicy(QComboBox::NoInsert);
    // No inline completion: a new name being typed must not turn into an existing one, which
    // would load that style's colours over the user's edits.
    cbStyle_->setCompleter(nullptr);
    cbStyle_->setGeometry(10, 26, 156, 22);
    sbSaveStyle_ = new QToolButton(general);
    sbSaveStyle_->setGeometry(172, 26, 24, 22);
    sbSaveStyle_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    sbSaveStyle_->setToolTip(tr("Save"));
    sbSaveStyle_->setAccessibleName(tr("Save"));
    nameLabel->setBuddy(cbStyle_);
    cbStyle_->lineEdit()->setAccessibleName(tr("Style name"));
    connect(sbSaveStyle_, &QToolButton::clicked, this, &TStyleForm::sbSaveStyleClick);
    connect(cbStyle_, &QComboBox::currentTextChanged, this, &TStyleForm::cbStyleChange);
    SwatchRow(general, 64, tr("Fill color:"), StyleColour::FillColor);
    SwatchRow(general, 94, tr("Border color:"), StyleColour::BorderColor);
    SwatchRow(general, 124, tr("Highlight color:"), StyleColour::HighlightColor);
    AddPage(general, tr("General Options"));

    auto* headlines = new QWidget;
    SwatchRow(headlines, 16, tr("Font color:"), StyleColour::HeadFontColor);
    SwatchRow(headlines, 46, tr("Cell color:"), StyleColour::HeadColor);
    SwatchRow(headlines, 76, tr("Border color:"), StyleColour::HeadBorderColor);
    AddPage(headlines, tr("Table Headlines"));

    auto* field = new QWidget;
    SwatchRow(field, 16, tr("Font color:"), StyleColour::FieldFontColor);
    auto* fieldShapes = new QLabel(tr("Cell shapes:"), field);
    fieldShapes->move(10, 56);
    for (int i = 0; i < 2; ++i) {
        fieldPreview_[i] = new PictureView(false, field);
        fieldPreview_[i]->setGeometry(110 + 44 * i, 50, 32, 32);
    }
    AddPage(field, tr("Game Field"));

    auto* input = new QWidget;
    SwatchRow(input, 16, tr("Font color:"), StyleColour::InputFontColor);
    auto* inputShapes = new QLabel(tr("Cell shapes:"), input);
    inputShapes->move(10, 56);
    for (int i = 0; i < 2; ++i) {
        inputPreview_[i] = new PictureView(false, input);
        inputPreview_[i]->setGeometry(114 + 44 * i, 54, 24, 24);
    }
    AddPage(input, tr("Input Window"));

    bbApply_ = new QPushButton(tr("Apply"), this);
    bbApply_->setGeometry(36, 216, 72, 24);
    bbApply_->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    bbCancel_ = new QPushButton(tr("Cancel"), this);
    bbCancel_->setGeometry(116, 216, 72, 24);
    bbCancel_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    bbApply_->setAutoDefault(false);
    bbCancel_->setAutoDefault(false);
    connect(bbApply_, &QPushButton::clicked, this, &TStyleForm::bbApplyClick);
    connect(bbCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TStyleForm::AddPage(QWidget* page, const QString& caption) {
    const int index = pages_->addWidget(page);
    auto* tab = new QToolButton(this);
    tab->setText(caption);
    tab->setCheckable(true);
    tab->setAutoRaise(false);
    tab->setFocusPolicy(Qt::TabFocus);
    tab->setGeometry(4 + 108 * (index % 2), 4 + 23 * (index / 2), 108, 23);
    tabs_->addButton(tab, index);
    if (index == 0) tab->setChecked(true);
}

QWidget* TStyleForm::SwatchRow(QWidget* page, int top, const QString& caption, StyleColour which) {
    auto* label = new QLabel(caption, page);
    label->move(10, top + 3);
    auto* swatch = new ColourSwatch(page);
    swatch->setGeometry(110, top, 76, 20);
    swatches_[static_cast<int>(which)] = swatch;
    label->setBuddy(swatch);
    connect(swatch, &ColourSwatch::pressed, this, [this, which] { shFillMouseDown(which); });
    return swatch;
}

bool TStyleForm::IsItem(const QString& text) const {
    return cbStyle_->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
}

StyleColours TStyleForm::SwatchColours() const {
    StyleColours c;
    for (int i = 0; i < kStyleColourCount; ++i) c.values[i] = swatches_[i]->Value();
    return c;
}

void TStyleForm::LoadPreviews(const std::string& name) {
    auto load = [&](PictureView* view, const char* suffix) {
        QImage image = LoadCellPicture(style_.PicturePath(name, suffix));
        if (!image.isNull()) view->SetImage(image);
    };
    load(fieldPreview_[0], "_fc01.bmp");
    load(fieldPreview_[1], "_fc02.bmp");
    load(inputPreview_[0], "_ic01.bmp");
    load(inputPreview_[1], "_ic02.bmp");
}

void TStyleForm::FormShow() {
    const QSignalBlocker block(cbStyle_);
    cbStyle_->clear();
    for (const std::string& name : ListStyles(style_.Folder()))
        cbStyle_->addItem(QString::fromStdString(name));
    const int at = cbStyle_->findText(QString::fromStdString(style_.CurrentStyle()),
                                      Qt::MatchExactly | Qt::MatchCaseSensitive);
    cbStyle_->setCurrentIndex(at);
    if (at < 0) cbStyle_->setEditText(QString());
    for (int i = 0; i < kStyleColourCount; ++i) swatches_[i]->SetValue(style_.Colours().values[i]);
    LoadPreviews(style_.CurrentStyle());
    if (QAbstractButton* tab = tabs_->button(pages_->currentIndex())) tab->setFocus();
}

void TStyleForm::showEvent(QShowEvent* e) {
    FormShow();
    QDialog::showEvent(e);
}

void TStyleForm::cbStyleChange() {
    const QString text = cbStyle_->currentText();
    if (!IsItem(text)) return;
    const std::string name = text.toStdString();
    const StyleColours colours = ReadStyleColours(StyleColourFile(style_.Folder(), name));
    for (int i = 0; i < kStyleColourCount; ++i) swatches_[i]->SetValue(colours.values[i]);
    LoadPreviews(name);
}

void TStyleForm::shFillMouseDown(StyleColour which) {
    ColourSwatch* swatch = Swatch(which);
    if (const auto colour = main_.PickColour(*this, swatch->Value())) swatch->SetValue(*colour);
}

void TStyleForm::sbSaveStyleClick() {
    const QString text = cbStyle_->currentText();
    if (text.contains('/') || text.contains('\\')) {
        // A name is a file name in the folder Styles, never a path.
        main_.RunMessageBox(&main_, QMessageBox::Warning,
                            tr("A style name cannot contain \"/\" or \"\\\"."));
        return;
    }
    if (IsItem(text)) {
        if (main_.RunMessageBox(&main_, QMessageBox::Question,
                                tr("Do you want to change the existing style?"),
                                QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
    }
    const std::filesystem::path file = StyleColourFile(style_.Folder(), text.toStdString());
    const Status written = WriteStyleColours(file, SwatchColours());
    if (!written.ok()) {
        main_.RunMessageBox(&main_, QMessageBox::Critical,
                            QString::fromStdString(written.message()));
        return;
    }
    std::error_code ec;
    if (std::filesystem::is_regular_file(file, ec) && !IsItem(text)) {
        // Keep the list sorted without regard to letter case.
        int at = 0;
        while (at < cbStyle_->count() &&
               QString::compare(cbStyle_->itemText(at), text, Qt::CaseInsensitive) < 0)
            ++at;
        const QSignalBlocker block(cbStyle_);
        cbStyle_->insertItem(at, text);
        cbStyle_->setCurrentIndex(at);
    }
}

void TStyleForm::bbApplyClick() {
    style_.SetColours(SwatchColours());
    const QString text = cbStyle_->currentText();
    if (IsItem(text)) style_.SetCurrentStyle(text.toStdString());
    main_.ApplyStyle();
    accept();
}

void TStyleForm::keyPressEvent(QKeyEvent* e) {
    // F1 opens the help of this dialog; Escape cancels as in any dialog.
    if (e->key() == Qt::Key_F1) {
        OpenHelp(kStylesHelpTopic);
        return;
    }
    QDialog::keyPressEvent(e);
}

}  // namespace tq::ui
