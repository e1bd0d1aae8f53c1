// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style_form.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
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
    // The frame as the whole area and the colour inside it, rather than a one-pixel outline: at
    // a window scale such as 1.5 a line on the last row or column can fall between device
    // pixels and vanish, a filled pixel never does.
    QPainter p(this);
    p.fillRect(rect(), QColor(64, 64, 64));
    p.fillRect(rect().adjusted(1, 1, -1, -1), ToQColor(value_));
}

namespace {

constexpr int kTabWidth = 108;
constexpr int kTabHeight = 23;
constexpr int kTabsPerRow = 2;

const char* const kShippedStyles[][2] = {
    {"Granite", QT_TRANSLATE_NOOP("tq::ui::TStyleForm", "Granite")},
    {"Malachite", QT_TRANSLATE_NOOP("tq::ui::TStyleForm", "Malachite")},
    {"Marble", QT_TRANSLATE_NOOP("tq::ui::TStyleForm", "Marble")},
};

}  // namespace

TabRows::TabRows(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_MacShowFocusRect);
}

int TabRows::AddTab(const QString& caption) {
    captions_.push_back(caption);
    if (captions_.size() == 1) setAccessibleName(caption);
    update();
    return Count() - 1;
}

void TabRows::SetCurrent(int index) {
    if (index < 0 || index >= Count() || index == current_) return;
    current_ = index;
    setAccessibleName(captions_.at(index));
    update();
    emit currentChanged(index);
}

QRect TabRows::TabRect(int index) const {
    const int rows = (Count() + kTabsPerRow - 1) / kTabsPerRow;
    const int row = index / kTabsPerRow;
    const int currentRow = current_ / kTabsPerRow;
    // The current tab's row next to the page, the others above in their order.
    int place = rows - 1;
    if (row != currentRow) place = row < currentRow ? row : row - 1;
    return QRect((index % kTabsPerRow) * kTabWidth, place * kTabHeight, kTabWidth, kTabHeight);
}

QRect TabRows::FrameRect() const {
    const int rows = (Count() + kTabsPerRow - 1) / kTabsPerRow;
    const int top = rows * kTabHeight;
    return QRect(0, top, width(), height() - top);
}

QRect TabRows::PageRect() const {
    return FrameRect().adjusted(1, 1, -1, -1);
}

void TabRows::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = FrameRect();
    frame.shape = QTabBar::RoundedNorth;
    frame.lineWidth = 1;
    frame.tabBarRect =
        TabRect(current_ - current_ % kTabsPerRow)
            .united(TabRect(std::min(Count() - 1, current_ - current_ % kTabsPerRow + 1)));
    frame.selectedTabRect = TabRect(current_);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &p, this);
    // The back rows first, the current tab last, so that it stands in front and opens onto
    // the page.
    QList<int> order;
    for (int i = 0; i < Count(); ++i)
        if (i != current_) order.push_back(i);
    order.push_back(current_);
    for (int i : order) {
        QStyleOptionTab tab;
        tab.initFrom(this);
        tab.shape = QTabBar::RoundedNorth;
        tab.text = captions_.at(i);
        tab.rect = TabRect(i);
        tab.row = 0;
        const int column = i % kTabsPerRow;
        tab.position = column == 0 ? QStyleOptionTab::Beginning : QStyleOptionTab::End;
        tab.selectedPosition = QStyleOptionTab::NotAdjacent;
        if (i / kTabsPerRow == current_ / kTabsPerRow && i != current_)
            tab.selectedPosition = i < current_ ? QStyleOptionTab::NextIsSelected
                                                : QStyleOptionTab::PreviousIsSelected;
        tab.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        if (i == current_) {
            tab.state |= QStyle::State_Selected;
            if (hasFocus()) tab.state |= QStyle::State_HasFocus;
        }
        // The look draws a chosen tab's face on down into the page; here the page lies below,
        // so the tab ends where it meets the frame.
        p.setClipRect(TabRect(i).adjusted(0, 0, 0, i == current_ ? 2 : 0));
        style()->drawControl(QStyle::CE_TabBarTab, &tab, &p, this);
    }
}

void TabRows::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    for (int i = 0; i < Count(); ++i) {
        if (TabRect(i).contains(e->position().toPoint())) {
            setFocus(Qt::MouseFocusReason);
            SetCurrent(i);
            return;
        }
    }
}

void TabRows::keyPressEvent(QKeyEvent* e) {
    // The arrows step through the tabs in their order, without wrapping, as a tab bar does.
    if (e->modifiers() == Qt::NoModifier || e->modifiers() == Qt::KeypadModifier) {
        switch (e->key()) {
            case Qt::Key_Left:
            case Qt::Key_Up:
                SetCurrent(current_ - 1);
                return;
            case Qt::Key_Right:
            case Qt::Key_Down:
                SetCurrent(current_ + 1);
                return;
            case Qt::Key_Home:
                SetCurrent(0);
                return;
            case Qt::Key_End:
                SetCurrent(Count() - 1);
                return;
            default:
                break;
        }
    }
    QWidget::keyPressEvent(e);
}

QString TStyleForm::StyleCaption(const std::string& fileName) {
    for (const auto& [file, caption] : kShippedStyles)
        if (fileName == file) return tr(caption);
    return QString::fromStdString(fileName);
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
    tabs_ = new TabRows(this);
    tabs_->setGeometry(4, 4, 216, 206);
    pages_ = new QStackedWidget(tabs_);
    connect(tabs_, &TabRows::currentChanged, pages_, &QStackedWidget::setCurrentIndex);

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

    pages_->setGeometry(tabs_->PageRect());

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
    pages_->addWidget(page);
    tabs_->AddTab(caption);
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

std::string TStyleForm::FileNameOf(const QString& text) const {
    const int at = cbStyle_->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (at < 0) return text.toStdString();
    return cbStyle_->itemData(at).toString().toStdString();
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
    const std::vector<std::string> names = ListStyles(style_.Folder());
    for (const std::string& name : names) {
        // A translated name that is also the file name of another style would make two items
        // alike: then the file name is shown.
        QString caption = StyleCaption(name);
        for (const std::string& other : names)
            if (other != name && caption == QString::fromStdString(other))
                caption = QString::fromStdString(name);
        cbStyle_->addItem(caption, QString::fromStdString(name));
    }
    const int at = cbStyle_->findData(QString::fromStdString(style_.CurrentStyle()));
    cbStyle_->setCurrentIndex(at);
    if (at < 0) cbStyle_->setEditText(QString());
    for (int i = 0; i < kStyleColourCount; ++i) swatches_[i]->SetValue(style_.Colours().values[i]);
    LoadPreviews(style_.CurrentStyle());
    tabs_->setFocus();
}

void TStyleForm::showEvent(QShowEvent* e) {
    FormShow();
    QDialog::showEvent(e);
}

void TStyleForm::cbStyleChange() {
    const QString text = cbStyle_->currentText();
    if (!IsItem(text)) return;
    const std::string name = FileNameOf(text);
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
    const std::filesystem::path file = StyleColourFile(style_.Folder(), FileNameOf(text));
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
        cbStyle_->insertItem(at, text, text);
        cbStyle_->setCurrentIndex(at);
    }
}

void TStyleForm::bbApplyClick() {
    style_.SetColours(SwatchColours());
    const QString text = cbStyle_->currentText();
    if (IsItem(text)) style_.SetCurrentStyle(FileNameOf(text));
    main_.ApplyStyle();
    accept();
}

void TStyleForm::keyPressEvent(QKeyEvent* e) {
    // F1 opens the help of this dialog; Escape cancels as in any dialog.
    if (e->key() == Qt::Key_F1) {
        OpenHelp(kStylesHelpTopic);
        return;
    }
    // Ctrl+Tab and Ctrl+Page Down turn to the next page, with Shift or Page Up to the previous
    // one, from anywhere in the dialog and round from the last to the first, as in a tab control.
    if (e->modifiers() & Qt::ControlModifier) {
        int step = 0;
        if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_PageDown) step = 1;
        if (e->key() == Qt::Key_Backtab || e->key() == Qt::Key_PageUp) step = -1;
        if (e->key() == Qt::Key_Tab && (e->modifiers() & Qt::ShiftModifier)) step = -1;
        if (step != 0) {
            const int count = tabs_->Count();
            tabs_->SetCurrent((tabs_->Current() + step + count) % count);
            return;
        }
    }
    QDialog::keyPressEvent(e);
}

}  // namespace tq::ui
