// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QValidator>

#include <cmath>

#include "base/messages.h"
#include "net/protocol.h"
#include "net/relay_code.h"
#include "settings/settings_file.h"
#include "settings/settings_schema.h"
#include "ui/fonts.h"
#include "ui/language.h"
#include "ui/main_form.h"
#include "ui/style.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tq::ui {

namespace {

constexpr int kRowLeft = 10;
constexpr int kRowTop = 44;
constexpr int kRowPitch = 24;
constexpr int kPreviewSquare = 16;
constexpr uint32_t kPreviewOutline = 8421504;  // grey

const char* const kTypeNames[] = {QT_TRANSLATE_NOOP("tq::ui::TOptionsForm", "Human"),
                                  QT_TRANSLATE_NOOP("tq::ui::TOptionsForm", "Computer"),
                                  QT_TRANSLATE_NOOP("tq::ui::TOptionsForm", "Client")};

// A page caption with the blanks that give the tabs their width.
QString TabCaption(const QString& text) {
    return QStringLiteral("  %1  ").arg(text);
}

// An up-down field: the number with its arrows. The text can be made read-only while the arrows
// still work.
class UpDown : public QSpinBox {
  public:
    UpDown(int min, int max, int step, QWidget* parent) : QSpinBox(parent) {
        setRange(min, max);
        setSingleStep(step);
        setGroupSeparatorShown(false);
        setAlignment(Qt::AlignRight);
    }
    // The range of a key of the settings file.
    UpDown(Setting setting, int step, QWidget* parent)
        : UpDown(RangeOf(setting).min, RangeOf(setting).max, step, parent) {}
    void SetTextReadOnly(bool readOnly) { lineEdit()->setReadOnly(readOnly); }
};

// The look in force with narrow tab margins: the page captions bring their own blanks.
class CompactTabs : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace) return 6;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// Typed names: a length limit, never a comma (names travel in comma-separated network lines),
// and only characters the game's single-byte text can hold. Guards pasted and dropped text as
// the key filter guards typing.
class NameValidator : public QValidator {
  public:
    NameValidator(int limit, bool refuseComma, QObject* parent)
        : QValidator(parent), limit_(limit), refuseComma_(refuseComma) {}
    State validate(QString& input, int&) const override {
        if (input.size() > limit_) return Invalid;
        for (QChar c : input) {
            if (refuseComma_ && c == ',') return Invalid;
            if (ToCp1251(c) == 0 || c.unicode() < 32) return Invalid;
        }
        return Acceptable;
    }

  private:
    int limit_;
    bool refuseComma_;
};

// "Rated game": remembers whether Shift was held on the release that toggles it, for as long as
// the box handles that release (the toggle runs the rated-game handling inside it). A release
// that toggles nothing, or one elsewhere, leaves nothing behind.
class RatedBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;
    bool ShiftAtClick() const { return shiftAtClick_; }

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        const QScopedValueRollback shift(shiftAtClick_, e->modifiers().testFlag(Qt::ShiftModifier));
        QCheckBox::mouseReleaseEvent(e);
    }
    void keyReleaseEvent(QKeyEvent* e) override {
        const QScopedValueRollback shift(shiftAtClick_, e->modifiers().testFlag(Qt::ShiftModifier));
        QCheckBox::keyReleaseEvent(e);
    }

  private:
    bool shiftAtClick_ = false;
};

QLabel* Caption(const QString& text, QWidget* parent, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->adjustSize();
    label->move(x, y);
    return label;
}

// The key a key press types, for the name filters: '\b' for Backspace, the character itself
// for a comma, any letter for the rest; 0 for keys that type nothing.
char TypedKey(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Backspace) return '\b';
    const QString text = e->text();
    if (text.isEmpty() || e->modifiers().testFlag(Qt::ControlModifier)) return 0;
    const QChar c = text.front();
    if (c == '\r' || c == '\n' || c == '\t' || c == QChar(27)) return 0;
    if (c == ',') return ',';
    if (c.unicode() < 32 || c.unicode() == 127) return 0;
    return 'a';
}

}  // namespace

QString ServerAddressText(const std::vector<std::string>& addresses, uint16_t port) {
    constexpr std::size_t kShown = 4;
    QStringList shown;
    for (std::size_t i = 0; i < addresses.size() && i < kShown; ++i)
        shown << QString::fromStdString(addresses[i]);
    if (addresses.size() > kShown) shown << QString::fromUtf8("\u2026");
    if (shown.isEmpty())
        return QCoreApplication::translate("tq::ui::TOptionsForm",
                                           "No network address was found: only this computer can "
                                           "join, at 127.0.0.1.\nThe server listens on port %1.")
            .arg(port);
    if (shown.size() == 1)
        return QCoreApplication::translate(
                   "tq::ui::TOptionsForm",
                   "Other players choose Client and connect to this "
                   "computer's address: %1.\nThe server listens on port %2.")
            .arg(shown.front(), QString::number(port));
    return QCoreApplication::translate("tq::ui::TOptionsForm",
                                       "Other players choose Client and connect to one of this "
                                       "computer's addresses: %1.\nThe server listens on port %2.")
        .arg(shown.join(QString(", ")), QString::number(port));
}

QImage DirectionArrowPicture(int k, const QColor& colour, int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const Direction d = kDirections[k];
    const double len = std::hypot(d.dc, d.dr);
    const double ux = d.dc / len;
    const double uy = d.dr / len;
    const double c = side / 2.0;
    const double reach = side * 0.40;
    const QPointF tip(c + ux * reach, c + uy * reach);
    const QPointF tail(c - ux * reach, c - uy * reach);
    const double head = side * 0.38;
    const double wide = side * 0.24;
    const QPointF base(tip.x() - ux * head, tip.y() - uy * head);
    const QPointF left(base.x() + uy * wide, base.y() - ux * wide);
    const QPointF right(base.x() - uy * wide, base.y() + ux * wide);
    p.setPen(QPen(colour, side / 8.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(tail, base);
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(left);
    arrow.lineTo(right);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(arrow);
    return image;
}

// What a direction box is called: the way a word's chain may go from a letter to the next.
QString DirectionName(int k) {
    const Direction d = kDirections[k];
    const char* const names[3][3] = {{"Up and left", "Up", "Up and right"},
                                     {"Left", "", "Right"},
                                     {"Down and left", "Down", "Down and right"}};
    return QCoreApplication::translate(
        "tq::ui::TOptionsForm", names[std::clamp(d.dr, -1, 1) + 1][std::clamp(d.dc, -1, 1) + 1]);
}

// The names of the eight direction boxes, for the translation list.
[[maybe_unused]] constexpr const char* kDirectionNames[] = {
    QT_TRANSLATE_NOOP("tq::ui::TOptionsForm", "Up and left"),
    QT_TRANSLATE_NOOP("tq::ui::TOptionsForm", "Up"),
    QT_TRANSLATE_NOOP("tq::ui::TOptionsForm", "Up and right"),
    QT_TRANSLATE_NOOP("tq::ui::TOptionsForm", "Left"),
    QT_TRANSLATE_NOOP("tq::ui::TOptionsForm", "Right"),
    QT_TRANSLATE_NOOP("tq::ui::TOptionsForm", "Down and left"),
    QT_TRANSLATE_NOOP("tq::ui::TOptionsForm", "Down"),
    QT_TRANSLATE_NOOP("tq::ui::TOptionsForm", "Down and right")};

TOptionsForm::TOptionsForm(GameModel& model, Style& gameStyle, TMainForm& main)
    : QDialog(&main, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      model_(model),
      style_(gameStyle),
      main_(main) {
    setWindowTitle(tr("Game Options"));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(SansSerif(11));

    pcOptions_ = new QTabWidget(this);
    pcOptions_->setGeometry(4, 4, kClientWidth - 8, 298);
    pcOptions_->addTab(BuildGeneralPage(), TabCaption(tr("General")));
    pcOptions_->addTab(BuildPlayersPage(), TabCaption(tr("Players")));
    pcOptions_->addTab(BuildFieldPage(), TabCaption(tr("Game Field")));
    pcOptions_->addTab(BuildRulesPage(), TabCaption(tr("Rules")));
    pcOptions_->addTab(BuildAdditionalPage(), TabCaption(tr("Additional")));
    // The captions are padded for their look; a screen reader reads the words alone.
    for (int i = 0; i < pcOptions_->count(); ++i)
        pcOptions_->tabBar()->setAccessibleTabName(i, pcOptions_->tabText(i).trimmed());
    // Five pages side by side, as the captions fit the dialog's width without scrolling.
    pcOptions_->tabBar()->setExpanding(false);
    auto* tabStyle = new CompactTabs;
    tabStyle->setParent(this);
    pcOptions_->tabBar()->setStyle(tabStyle);
    pcOptions_->tabBar()->setUsesScrollButtons(false);

    bbOptSave_ = new QPushButton(tr("Save"), this);
    bbOptSave_->setGeometry(8, 308, 80, 25);
    bbOptSave_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    bbOptOk_ = new QPushButton(tr("Apply"), this);
    bbOptOk_->setGeometry(156, 308, 80, 25);
    bbOptOk_->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    bbOptCancel_ = new QPushButton(tr("Cancel"), this);
    bbOptCancel_->setGeometry(242, 308, 80, 25);
    bbOptCancel_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    for (QPushButton* b : {bbOptSave_, bbOptOk_, bbOptCancel_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(bbOptSave_, &QPushButton::clicked, this, [this] { bbOptOkClick(true); });
    connect(bbOptOk_, &QPushButton::clicked, this, [this] { bbOptOkClick(false); });
    connect(bbOptCancel_, &QPushButton::clicked, this, &TOptionsForm::bbOptCancelClick);

    helpOpener_ = [this](const std::string& topic) {
        Inform(tr("The help topic %1 cannot be opened: no help viewer is installed.")
                   .arg(QString::fromStdString(topic)),
               QMessageBox::Information);
    };

    // The preview and the seat rows as the defaults leave them.
    edPlcChange();
    edmChange();
    edTpmChange();
}

TOptionsForm::~TOptionsForm() = default;

// Pages ---------------------------------------------------------------------------------------

QWidget* TOptionsForm::BuildGeneralPage() {
    auto* page = new QWidget;
    rgGameModeBox_ = new QGroupBox(tr("Game mode"), page);
    rgGameModeBox_->setGeometry(8, 6, 298, 82);
    rgGameMode_ = new QButtonGroup(this);
    const QString items[] = {tr("General mode"), tr("Client"), tr("Server")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(items[i], rgGameModeBox_);
        radio->setGeometry(12, 18 + 20 * i, 200, 20);
        rgGameMode_->addButton(radio, i + 1);  // the GameMode values
    }
    rgGameMode_->button(static_cast<int>(GameMode::General))->setChecked(true);
    connect(rgGameMode_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && static_cast<GameMode>(id) != shownMode_)
            rgGameModeClick(static_cast<GameMode>(id));
    });

    cbRatedGame_ = new RatedBox(tr("Rated game"), page);
    cbRatedGame_->setGeometry(12, 98, 200, 20);
    connect(cbRatedGame_, &QCheckBox::toggled, this, [this] { cbRatedGameClick(); });

    pnCon_ = new QWidget(page);
    pnCon_->setGeometry(8, 92, 298, 84);
    QLabel* yourName = Caption(tr("Your name:"), pnCon_, 4, 6);
    edClient_ = new QLineEdit(pnCon_);
    yourName->setBuddy(edClient_);
    edClient_->setGeometry(150, 2, 140, 22);
    edClient_->setValidator(new NameValidator(int(kSeatNameLimit), true, edClient_));
    edClient_->installEventFilter(this);
    QLabel* serverName = Caption(tr("Server name (IP-address):"), pnCon_, 4, 32);
    edServer_ = new QLineEdit(pnCon_);
    serverName->setBuddy(edServer_);
    edServer_->setGeometry(150, 28, 140, 22);
    edServer_->setValidator(new NameValidator(int(kServerNameLimit), false, edServer_));
    edServer_->installEventFilter(this);
    bbCon_ = new QPushButton(ShownText(msg::Connect), pnCon_);
    bbCon_->setGeometry(190, 55, 100, 25);
    bbCon_->setAutoDefault(false);
    connect(bbCon_, &QPushButton::clicked, this, &TOptionsForm::bbConClick);
    pnCon_->hide();

    // In server mode the band above the chat tells the host what to give the other players: the
    // addresses of this computer, or the code of the room it opened at a relay.
    cbRelay_ = new QCheckBox(tr("Host through a relay:"), page);
    cbRelay_->setGeometry(12, 94, 136, 20);
    cbRelay_->setToolTip(tr("Players on other networks join a room at the relay by its code."));
    edRelay_ = new QLineEdit(page);
    edRelay_->setGeometry(158, 94, 140, 20);
    edRelay_->setPlaceholderText(QStringLiteral("relay.example.org"));  // an address: no words
    edRelay_->setValidator(new NameValidator(int(kServerNameLimit), false, edRelay_));
    connect(cbRelay_, &QCheckBox::toggled, this, [this] { RelayChoiceChanged(); });
    connect(edRelay_, &QLineEdit::editingFinished, this, [this] {
        if (cbRelay_->isChecked()) RelayChoiceChanged();
    });
    cbRelay_->hide();
    edRelay_->hide();
    bbCopyCode_ = new QPushButton(tr("Copy"), page);
    bbCopyCode_->setGeometry(230, 155, 68, 24);
    bbCopyCode_->setAutoDefault(false);
    bbCopyCode_->setToolTip(tr("Copies the relay and the room's code, to paste into a message."));
    connect(bbCopyCode_, &QPushButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(QString::fromStdString(network_->RoomText()));
    });
    bbCopyCode_->hide();
    lbAddress_ = new QLabel(page);
    lbAddress_->setGeometry(12, 116, 290, 65);
    lbAddress_->setWordWrap(true);
    lbAddress_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbAddress_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lbAddress_->hide();
    bbCopyCode_->raise();  // above the band, which would take its clicks

    // Beside "Server": the server's limit for a move of a player at another computer; none by
    // default.
    pnLimit_ = new QWidget(rgGameModeBox_);
    pnLimit_->setGeometry(96, 54, 198, 26);
    Caption(tr("Move limit:"), pnLimit_, 4, 6);
    udClientLimit_ = new UpDown(Setting::ClientMoveLimit, 30, pnLimit_);
    udClientLimit_->setGeometry(92, 2, 102, 22);
    udClientLimit_->setSpecialValueText(tr("none"));
    udClientLimit_->setSuffix(tr(" s"));
    udClientLimit_->setToolTip(
        tr("Seconds a player at another computer may take for a move; then the computer plays "
           "that seat."));
    pnLimit_->hide();

    pnMsg_ = new QWidget(page);
    pnMsg_->setGeometry(8, 181, 298, 84);
    QLabel* recipient = Caption(tr("Recipient:"), pnMsg_, 4, 6);
    cbRecip_ = new QComboBox(pnMsg_);
    recipient->setBuddy(cbRecip_);
    cbRecip_->setGeometry(150, 2, 140, 22);
    QLabel* message = Caption(tr("Message:"), pnMsg_, 4, 32);
    edMsg_ = new QLineEdit(pnMsg_);
    message->setBuddy(edMsg_);
    edMsg_->setGeometry(150, 28, 140, 22);  // in line with the fields above
    bbSendMsg_ = new QPushButton(tr("Send"), pnMsg_);
    bbSendMsg_->setGeometry(190, 55, 100, 25);
    bbSendMsg_->setAutoDefault(false);
    connect(bbSendMsg_, &QPushButton::clicked, this, &TOptionsForm::bbSendMsgClick);
    // Server mode: a player who has fallen silent gives the seat to the computer.
    bbHandOver_ = new QPushButton(tr("Seat to computer"), pnMsg_);
    bbHandOver_->setGeometry(4, 55, 150, 25);
    bbHandOver_->setAutoDefault(false);
    bbHandOver_->setToolTip(
        tr("Closes the connection of the chosen player; the computer plays "
           "the player's seats."));
    bbHandOver_->hide();
    connect(bbHandOver_, &QPushButton::clicked, this, &TOptionsForm::bbHandOverClick);
    pnMsg_->hide();
    return page;
}

QWidget* TOptionsForm::BuildPlayersPage() {
    auto* page = new QWidget;
    QLabel* count = Caption(tr("Player count:"), page, kRowLeft, 14);
    auto* plc = new UpDown(Setting::Count, 1, page);
    count->setBuddy(plc);
    plc->SetTextReadOnly(true);
    plc->setGeometry(110, 10, 48, 22);
    udPlc_ = plc;
    connect(udPlc_, &QSpinBox::valueChanged, this, [this] { edPlcChange(); });

    QFont bold = SansSerif(11, true);
    for (int n = 1; n <= kMaxSeats; ++n) {
        SeatRow& r = rows_[n - 1];
        r.row = new QWidget(page);
        r.row->setGeometry(kRowLeft, kRowTop + kRowPitch * (n - 1), 302, 25);
        r.label = new QLabel(tr("Player %1").arg(n), r.row);
        r.label->setGeometry(0, 0, 48, 25);
        r.label->setCursor(Qt::OpenHandCursor);
        r.label->installEventFilter(this);
        r.name = new QComboBox(r.row);
        r.name->setEditable(true);
        r.name->setInsertPolicy(QComboBox::NoInsert);
        // Room for a name of twelve Cyrillic capitals in the bold font.
        r.name->setGeometry(50, 1, 126, 22);
        r.name->setFont(bold);
        r.name->lineEdit()->setMaxLength(int(kSeatNameLimit));
        r.name->lineEdit()->setValidator(
            new NameValidator(int(kSeatNameLimit), true, r.name->lineEdit()));
        r.name->lineEdit()->installEventFilter(this);
        r.name->setContextMenuPolicy(Qt::CustomContextMenu);
        r.name->lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(r.name, &QWidget::customContextMenuRequested, this,
                [this, n] { cbNameContextPopup(n); });
        connect(r.name->lineEdit(), &QWidget::customContextMenuRequested, this,
                [this, n] { cbNameContextPopup(n); });
        r.type = new QComboBox(r.row);
        r.type->setGeometry(180, 1, 85, 22);
        r.type->addItem(tr(kTypeNames[0]));
        r.type->addItem(tr(kTypeNames[1]));
        connect(r.type, &QComboBox::activated, this, [this, n] { cbTypeChange(n); });
        r.skill = new QComboBox(r.row);
        r.skill->setGeometry(267, 1, 35, 22);
        for (int s = 1; s <= RangeOf(Setting::Skill).max; ++s) r.skill->addItem(QString::number(s));
        r.name->setAccessibleName(tr("Player %1 name").arg(n));
        r.name->lineEdit()->setAccessibleName(r.name->accessibleName());
        r.type->setAccessibleName(tr("Player %1 type").arg(n));
        r.skill->setAccessibleName(tr("Player %1 skill").arg(n));
        r.colour = kDefaultSeatColors[n - 1];
        ShowSeatColour(n);
    }
    return page;
}

QWidget* TOptionsForm::BuildFieldPage() {
    auto* page = new QWidget;
    Caption(tr("Field dimensions:"), page, 16, 14);
    udm_ = new UpDown(Setting::ColCount, 1, page);
    udm_->setGeometry(130, 10, 48, 22);
    Caption(QString::fromUtf8("\u00D7"), page, 184, 14);
    udn_ = new UpDown(Setting::RowCount, 1, page);
    udn_->setGeometry(196, 10, 48, 22);
    udm_->setAccessibleName(tr("Field columns"));
    udn_->setAccessibleName(tr("Field rows"));
    connect(udm_, &QSpinBox::valueChanged, this, [this] { edmChange(); });
    connect(udn_, &QSpinBox::valueChanged, this, [this] { edmChange(); });

    pnPreview_ = new QWidget(page);
    pnPreview_->setGeometry(68, 42, 180, 180);
    const QColor fill = style_.Colour(StyleColour::FillColor);
    for (int r = 0; r < kMaxFieldSide; ++r) {
        for (int c = 0; c < kMaxFieldSide; ++c) {
            auto* square = new ShapeView(ShapeView::Kind::RoundRect, pnPreview_);
            square->resize(kPreviewSquare, kPreviewSquare);
            square->SetPen(ToQColor(kPreviewOutline));
            square->SetFill(fill);
            preview_[r * kMaxFieldSide + c] = square;
        }
    }
    return page;
}

QWidget* TOptionsForm::BuildRulesPage() {
    auto* page = new QWidget;
    QLabel* perMove = Caption(tr("Word count per one move:"), page, 12, 12);
    udwpm_ = new UpDown(Setting::WordsPerMove, 1, page);
    perMove->setBuddy(udwpm_);
    udwpm_->setGeometry(240, 8, 48, 22);
    QLabel* minimum = Caption(tr("Minimum word length:"), page, 12, 38);
    const SettingRange minLen = RangeOf(Setting::MinWordLen, model_.Dict);
    const long shortest = std::max(minLen.min, RangeOf(Setting::MinWordLen).min);
    udMinwl_ = new UpDown(std::min(shortest, minLen.max), minLen.max, 1, page);
    udMinwl_->setGeometry(240, 34, 48, 22);
    minimum->setBuddy(udMinwl_);
    QLabel* maximum = Caption(tr("Maximum word length:"), page, 12, 64);
    const SettingRange maxLen = RangeOf(Setting::MaxWordLen, model_.Dict);
    const long longest = std::max(maxLen.max, maxLen.min);
    udMaxwl_ = new UpDown(maxLen.min, longest, 1, page);
    udMaxwl_->setGeometry(240, 60, 48, 22);
    maximum->setBuddy(udMaxwl_);
    connect(udMinwl_, &QSpinBox::valueChanged, this, [this] { edMinwlChange(); });
    connect(udMaxwl_, &QSpinBox::valueChanged, this, [this] { edMaxwlChange(); });

    auto* gbDir = new QGroupBox(tr("Movement directions"), page);
    gbDir->setGeometry(8, 88, 298, 82);
    const QColor arrow = style_.Colour(StyleColour::BorderColor);
    for (int k = 0; k < 8; ++k) {
        const int x = 16 + 70 * (k % 4);
        const int y = 24 + 28 * (k / 4);
        cbDirs_[k] = new QCheckBox(gbDir);
        cbDirs_[k]->setGeometry(x, y, 20, 22);
        cbDirs_[k]->setAccessibleName(DirectionName(k));
        imDirs_[k] = new QLabel(gbDir);
        imDirs_[k]->setGeometry(x + 20, y + 3, 16, 16);
        imDirs_[k]->setPixmap(QPixmap::fromImage(DirectionArrowPicture(k, arrow)));
    }

    cbJoker_ = new QCheckBox(tr("Use symbol \"?\" in the initial word"), page);
    cbJoker_->setGeometry(12, 176, 290, 20);
    cbCross_ = new QCheckBox(tr("Allow cross letter chains"), page);
    cbCross_->setGeometry(12, 200, 290, 20);
    cbComb_ = new QCheckBox(tr("Allow constructing of already formed words"), page);
    cbComb_->setGeometry(12, 224, 290, 20);
    return page;
}

QWidget* TOptionsForm::BuildAdditionalPage() {
    auto* page = new QWidget;
    QLabel* limit = Caption(tr("Time limit for one word:"), page, 12, 14);
    udTpm_ = new UpDown(Setting::SecMove, 30, page);
    limit->setBuddy(udTpm_);
    udTpm_->setAccessibleDescription(tr("seconds"));
    udTpm_->setGeometry(160, 10, 60, 22);
    Caption(tr("seconds"), page, 226, 14);
    connect(udTpm_, &QSpinBox::valueChanged, this, [this] { edTpmChange(); });

    Caption(tr("Bonus for remained time:"), page, 12, 48);
    Caption(tr("one point for every"), page, 24, 70);
    udBonus_ = new UpDown(Setting::SecBonus, 10, page);
    udBonus_->setGeometry(160, 66, 60, 22);
    udBonus_->setAccessibleName(tr("Bonus for remained time: one point for every so many seconds"));
    Caption(tr("seconds"), page, 226, 70);

    Caption(tr("Fine for additional time:"), page, 12, 104);
    Caption(tr("one point for every"), page, 24, 126);
    udFine_ = new UpDown(Setting::SecFine, 10, page);
    udFine_->setGeometry(160, 122, 60, 22);
    udFine_->setAccessibleName(tr("Fine for additional time: one point for every so many seconds"));
    Caption(tr("seconds"), page, 226, 126);

    cbAllw_ = new QCheckBox(tr("Accept unknown words"), page);
    cbAllw_->setGeometry(12, 160, 290, 20);
    return page;
}

// Helpers -------------------------------------------------------------------------------------

void TOptionsForm::SetNetwork(OptionsNetwork* network) {
    network_ = network ? network : &nullNetwork_;
}

QRadioButton* TOptionsForm::ModeButton(GameMode mode) const {
    return static_cast<QRadioButton*>(rgGameMode_->button(static_cast<int>(mode)));
}

void TOptionsForm::SetPageEnabled(OptionsPage page, bool enabled) {
    pcOptions_->widget(static_cast<int>(page))->setEnabled(enabled);
}

void TOptionsForm::ShowSeatColour(int n) {
    SeatRow& r = rows_[n - 1];
    QPalette p = r.name->lineEdit()->palette();
    const QColor c = ToQColor(r.colour);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::ButtonText, c);
    r.name->lineEdit()->setPalette(p);
    r.name->setPalette(p);
}

bool TOptionsForm::HasClientEntry() const {
    return rows_[0].type->count() > 2;
}

void TOptionsForm::AddClientEntry() {
    for (SeatRow& r : rows_)
        if (r.type->count() == 2) r.type->addItem(tr(kTypeNames[2]));
}

void TOptionsForm::RemoveClientEntry() {
    for (int n = 1; n <= kMaxSeats; ++n) {
        if (rows_[n - 1].type->currentIndex() == static_cast<int>(PlayerType::Client)) {
            rows_[n - 1].type->setCurrentIndex(static_cast<int>(PlayerType::Computer));
            cbTypeChange(n);
        }
    }
    for (SeatRow& r : rows_)
        while (r.type->count() > 2) r.type->removeItem(r.type->count() - 1);
}

int TOptionsForm::RowOfLabel(const QWidget* w) const {
    for (int n = 1; n <= kMaxSeats; ++n)
        if (w && rows_[n - 1].label == w) return n;
    return 0;
}

bool TOptionsForm::ShiftHeld() const {
    return static_cast<const RatedBox*>(cbRatedGame_)->ShiftAtClick();
}

void TOptionsForm::ShowServerAddress() {
    const bool relay = cbRelay_->isChecked();
    bbCopyCode_->setVisible(shownMode_ == GameMode::Server && relay &&
                            !network_->RoomText().empty());
    if (relay) {
        const QString room = QString::fromStdString(network_->RoomText());
        lbAddress_->setText(
            room.isEmpty()
                ? tr("No room is open at the relay %1.").arg(edRelay_->text())
                : tr("Other players choose Client and enter as the server: %1").arg(room));
        lbAddress_->setToolTip(room);
        return;
    }
    const std::vector<std::string> addresses = network_->LocalAddresses();
    lbAddress_->setText(ServerAddressText(addresses, network_->ListeningPort()));
    QStringList all;
    for (const std::string& a : addresses) all << QString::fromStdString(a);
    lbAddress_->setToolTip(all.join('\n'));
}

void TOptionsForm::Inform(std::string_view text, int icon) {
    Inform(ShownText(text), icon);
}

void TOptionsForm::Inform(const QString& text, int icon) {
    main_.RunMessageBox(this, static_cast<QMessageBox::Icon>(icon), text);
}

GameSettings TOptionsForm::ControlValues() const {
    GameSettings v = model_.Settings;
    v.Mode = shownMode_;
    v.RatedGame = cbRatedGame_->isChecked();
    v.Count = static_cast<uint8_t>(udPlc_->value());
    for (int n = 1; n <= kMaxSeats; ++n) {
        const SeatRow& r = rows_[n - 1];
        TPlayers& p = v.Seat(n);
        p.Name = FromQString(r.name->currentText());
        p.Color = r.colour;
        p.Type = static_cast<PlayerType>(std::max(0, r.type->currentIndex()));
        p.Skill = static_cast<uint8_t>(std::max(0, r.skill->currentIndex()) + 1);
    }
    v.ColCount = static_cast<uint8_t>(udm_->value());
    v.RowCount = static_cast<uint8_t>(udn_->value());
    v.WordsPerMove = static_cast<uint8_t>(udwpm_->value());
    v.MinWordLen = static_cast<uint8_t>(udMinwl_->value());
    v.MaxWordLen = static_cast<uint8_t>(udMaxwl_->value());
    v.Directions.clear();
    for (QCheckBox* box : cbDirs_) v.Directions += box->isChecked() ? '1' : '0';
    v.UseJoker = cbJoker_->isChecked();
    v.AllowCrossings = cbCross_->isChecked();
    v.AllowExWords = cbComb_->isChecked();
    v.SecMove = udTpm_->value();
    v.SecBonus = udBonus_->value();
    v.SecFine = udFine_->value();
    v.AcceptAllWords = cbAllw_->isChecked();
    v.ClientMoveLimit = udClientLimit_->value();
    v.UseRelay = cbRelay_->isChecked();
    v.Relay = MendedRelay(FromQString(edRelay_->text()));
    return v;
}

// Handlers ------------------------------------------------------------------------------------

void TOptionsForm::showEvent(QShowEvent* e) {
    if (!e->spontaneous()) FormShow();
    QDialog::showEvent(e);
}

bool TOptionsForm::ClientConnected(const std::string& name) const {
    const QString wanted = ToQString(name);
    for (const std::string& c : network_->ClientNames())
        if (QString::compare(ToQString(c), wanted, Qt::CaseInsensitive) == 0) return true;
    return false;
}

void TOptionsForm::FormShow() {
    const GameSettings& s = model_.Settings;
    ModeButton(s.Mode)->setChecked(true);
    cbRatedGame_->setChecked(s.RatedGame);
    udPlc_->setValue(s.Count);
    for (int n = 1; n <= kMaxSeats; ++n) {
        SeatRow& r = rows_[n - 1];
        const TPlayers& p = s.Seat(n);
        r.name->setEditText(ToQString(p.Name));
        r.colour = p.Color;
        ShowSeatColour(n);
        int type = static_cast<int>(p.Type);
        // A client that has left plays no more: the game gave its seat to the computer.
        if (p.Type == PlayerType::Client && s.Mode == GameMode::Server && !ClientConnected(p.Name))
            type = static_cast<int>(PlayerType::Computer);
        r.type->setCurrentIndex(type < r.type->count() ? type : 1);
        r.skill->setCurrentIndex(std::clamp<int>(p.Skill, 1, 7) - 1);
        cbTypeChange(n);
    }
    udm_->setValue(s.ColCount);
    udn_->setValue(s.RowCount);
    udwpm_->setValue(s.WordsPerMove);
    udMinwl_->setValue(s.MinWordLen);
    udMaxwl_->setValue(s.MaxWordLen);
    for (int k = 0; k < 8; ++k) cbDirs_[k]->setChecked(s.DirectionOn(k));
    cbJoker_->setChecked(s.UseJoker);
    cbCross_->setChecked(s.AllowCrossings);
    cbComb_->setChecked(s.AllowExWords);
    udTpm_->setValue(s.SecMove);
    udBonus_->setValue(s.SecBonus);
    udFine_->setValue(s.SecFine);
    cbAllw_->setChecked(s.AcceptAllWords);
    udClientLimit_->setValue(s.ClientMoveLimit);
    {
        // Shown as saved; the server's choice changes only when the user changes it.
        const QSignalBlocker block(cbRelay_);
        cbRelay_->setChecked(s.UseRelay);
        edRelay_->setText(ToQString(s.Relay));
    }
    ConnectionChanged();
    pcOptions_->setFocus();
}

void TOptionsForm::rgGameModeClick(GameMode mode) {
    shownMode_ = mode;
    if (ModeButton(mode) && !ModeButton(mode)->isChecked()) {
        const QSignalBlocker block(rgGameMode_);
        ModeButton(mode)->setChecked(true);
    }
    network_->ClearClientNames();
    cbRecip_->clear();
    edMsg_->clear();

    if (mode == GameMode::Server) {
        network_->CloseConnection();
        network_->SetRelay(cbRelay_->isChecked(), FromQString(edRelay_->text()));
        if (!network_->StartListening()) {
            Inform(msg::ServerUnavailable, QMessageBox::Critical);
            ModeButton(GameMode::General)->setChecked(true);  // runs the general-mode handling
            return;
        }
    } else {
        network_->StopListening();
        if (mode == GameMode::General) network_->CloseConnection();
    }

    const ModeView view = ViewForMode(mode);
    pnCon_->setVisible(view.connectionPanel);
    if (mode == GameMode::Server) ShowServerAddress();
    lbAddress_->setVisible(mode == GameMode::Server);
    cbRelay_->setVisible(mode == GameMode::Server);
    edRelay_->setVisible(mode == GameMode::Server);
    if (mode != GameMode::Server) bbCopyCode_->hide();
    pnLimit_->setVisible(mode == GameMode::Server);
    bbHandOver_->setVisible(mode == GameMode::Server);
    pnMsg_->setVisible(view.messagePanel);
    cbRatedGame_->setVisible(view.ratedGame);
    SetPageEnabled(OptionsPage::Players, view.seatsAndField);
    SetPageEnabled(OptionsPage::GameField, view.seatsAndField);
    if (view.rulesAndTimes) {
        SetPageEnabled(OptionsPage::Rules, *view.rulesAndTimes);
        SetPageEnabled(OptionsPage::Additional, *view.rulesAndTimes);
    } else {
        cbRatedGameClick();
    }
    bbOptOk_->setVisible(view.applyButton);
    bbOptSave_->setVisible(view.saveButton);
    if (view.clientType)
        AddClientEntry();
    else if (HasClientEntry())
        RemoveClientEntry();
    ConnectionChanged();
}

void TOptionsForm::cbRatedGameClick() {
    const bool allEight = ShiftHeld();
    if (!cbRatedGame_->isChecked()) {
        SetPageEnabled(OptionsPage::Rules, true);
        SetPageEnabled(OptionsPage::Additional, true);
        return;
    }
    GameSettings v = ControlValues();
    TickRatedGame(v, model_.Dict, allEight);
    udwpm_->setValue(v.WordsPerMove);
    udMinwl_->setValue(v.MinWordLen);
    udMaxwl_->setValue(udMaxwl_->maximum());
    for (int k = 0; k < 8; ++k) cbDirs_[k]->setChecked(v.DirectionOn(k));
    cbJoker_->setChecked(false);
    cbCross_->setChecked(false);
    cbComb_->setChecked(false);
    SetPageEnabled(OptionsPage::Rules, false);
    udTpm_->setValue(v.SecMove);
    udFine_->setValue(v.SecFine);
    udBonus_->setValue(v.SecBonus);
    cbAllw_->setChecked(false);
    SetPageEnabled(OptionsPage::Additional, false);
}

void TOptionsForm::edPlcChange() {
    const int count = udPlc_->value();
    for (int n = 1; n <= kMaxSeats; ++n) rows_[n - 1].row->setVisible(n <= count);
}

void TOptionsForm::edmChange() {
    const int cols = udm_->value();
    const int rows = udn_->value();
    const PreviewOrigin at =
        PreviewPlacement(pnPreview_->width(), pnPreview_->height(), cols, rows);
    for (int r = 0; r < kMaxFieldSide; ++r) {
        for (int c = 0; c < kMaxFieldSide; ++c) {
            ShapeView* square = PreviewSquare(c, r);
            const bool shown = c < cols && r < rows;
            if (shown) square->move(at.left + kPreviewPitch * c, at.top + kPreviewPitch * r);
            square->setVisible(shown);
        }
    }
    if (shownMode_ == GameMode::General && cbRatedGame_->isChecked())
        udTpm_->setValue(RatedMoveTime(cols, rows));
}

void TOptionsForm::edMinwlChange() {
    const WordLengths l = MinLengthChanged(udMinwl_->value(), udMaxwl_->value());
    if (l.max != udMaxwl_->value()) udMaxwl_->setValue(l.max);
}

void TOptionsForm::edMaxwlChange() {
    const WordLengths l = MaxLengthChanged(udMinwl_->value(), udMaxwl_->value());
    if (l.min != udMinwl_->value()) udMinwl_->setValue(l.min);
}

void TOptionsForm::edTpmChange() {
    const bool timed = udTpm_->value() != 0;
    udBonus_->setEnabled(timed);
    udFine_->setEnabled(timed);
}

void TOptionsForm::cbTypeChange(int n) {
    SeatRow& r = rows_[n - 1];
    const auto type = static_cast<PlayerType>(r.type->currentIndex());
    const QString name = r.name->currentText();
    {
        const QSignalBlocker block(r.name);
        r.name->clear();  // the name choices
    }
    r.name->lineEdit()->setReadOnly(type == PlayerType::Client);
    r.skill->setEnabled(type == PlayerType::Computer);
    if (type != PlayerType::Client || model_.Settings.Mode == GameMode::Client) {
        r.name->setEditText(name);
        return;
    }
    // A client seat takes the name of a connected client, picked from the list.
    // Names compare without regard to letter case; the row takes the client's own spelling.
    int at = -1;
    for (const std::string& c : network_->ClientNames()) {
        const QString client = ToQString(c);
        if (at < 0 && QString::compare(client, name, Qt::CaseInsensitive) == 0)
            at = r.name->count();
        r.name->addItem(client);
    }
    r.name->setCurrentIndex(at);
    r.name->setEditText(at >= 0 ? r.name->itemText(at) : QString());
}

void TOptionsForm::cbNameContextPopup(int n) {
    SeatRow& r = rows_[n - 1];
    const std::optional<uint32_t> colour = main_.PickColour(*this, r.colour);
    if (!colour) return;
    r.colour = *colour;
    ShowSeatColour(n);
}

void TOptionsForm::lbPlEndDrag(int source, QWidget* target) {
    const int to = RowOfLabel(target);
    if (source < 1 || source > kMaxSeats || to == 0 || to == source) return;
    SeatRow& a = rows_[source - 1];
    SeatRow& b = rows_[to - 1];
    const QString nameA = a.name->currentText();
    const QString nameB = b.name->currentText();
    std::swap(a.colour, b.colour);
    const int typeA = a.type->currentIndex();
    a.type->setCurrentIndex(b.type->currentIndex());
    b.type->setCurrentIndex(typeA);
    const int skillA = a.skill->currentIndex();
    a.skill->setCurrentIndex(b.skill->currentIndex());
    b.skill->setCurrentIndex(skillA);
    a.name->setEditText(nameB);
    b.name->setEditText(nameA);
    ShowSeatColour(source);
    ShowSeatColour(to);
    cbTypeChange(source);
    cbTypeChange(to);
}

void TOptionsForm::bbOptOkClick(bool save) {
    const GameSettings values = ControlValues();
    if (const auto refusal = CheckOptions(values)) {
        if (refusal->page) pcOptions_->setCurrentIndex(static_cast<int>(*refusal->page));
        Inform(refusal->message, QMessageBox::Information);
        return;
    }
    if (save) {
        if (!model_.SettingsFile) return;
        const Status saved = SaveSettings(*model_.SettingsFile, values);
        if (!saved.ok()) Inform(saved.message(), QMessageBox::Critical);
        return;
    }
    ApplyOptions(model_.Settings, values, model_.Dict);
    accept();
}

void TOptionsForm::bbOptCancelClick() {
    if (model_.Settings.Mode != GameMode::Client) network_->CloseConnection();
    if (model_.Settings.Mode != GameMode::Server) network_->StopListening();
    QDialog::reject();
}

void TOptionsForm::closeEvent(QCloseEvent* e) {
    // The title bar's close button cancels as the Cancel button does. A close from code (a new
    // game arriving from the server) only closes: the connection stays.
    if (e->spontaneous()) {
        e->accept();
        bbOptCancelClick();
        return;
    }
    QDialog::closeEvent(e);
}

void TOptionsForm::bbConClick() {
    using Outcome = OptionsNetwork::ConnectOutcome;
    const Outcome outcome =
        network_->ConnectClick(FromQString(edClient_->text()), FromQString(edServer_->text()));
    ConnectionChanged();
    if (outcome == Outcome::EmptyName) {
        Inform(msg::EnterName, QMessageBox::Information);
        edClient_->setFocus();
    } else if (outcome == Outcome::CannotStart) {
        Inform(ShownText(msg::CannotConnect) + QLatin1Char('\n') +
                   tr("\"%1\" is not a server: give a host name or an IP address, with \":port\" "
                      "after it for a port other than %2 (an IPv6 address then in brackets).")
                       .arg(edServer_->text())
                       .arg(net::kGamePort),
               QMessageBox::Critical);
        edServer_->setFocus();
    }
}

void TOptionsForm::RelayChoiceChanged() {
    if (shownMode_ != GameMode::Server) return;
    // The server starts again, through the relay or on the local network.
    network_->StopListening();
    network_->ClearClientNames();
    cbRecip_->clear();
    network_->SetRelay(cbRelay_->isChecked(), FromQString(edRelay_->text()));
    if (!network_->StartListening() && cbRelay_->isChecked())
        Inform(tr("\"%1\" is not a relay: give a host name or an IP address, with \":port\" after "
                  "it for a port other than %2.")
                   .arg(edRelay_->text())
                   .arg(net::kRelayPort),
               QMessageBox::Critical);
    ShowServerAddress();
}

void TOptionsForm::RelayChanged(std::optional<net::RelayTrouble> lost) {
    ShowServerAddress();
    if (!lost) return;
    const QString relay = edRelay_->text();
    switch (*lost) {
        case net::RelayTrouble::Full:
            Inform(tr("The relay %1 takes no more rooms now.").arg(relay), QMessageBox::Warning);
            return;
        case net::RelayTrouble::Limited:
            Inform(tr("The relay %1 holds as many rooms of this computer as it allows.").arg(relay),
                   QMessageBox::Warning);
            return;
        case net::RelayTrouble::Refused:
            Inform(tr("%1 did not answer as a relay does.").arg(relay), QMessageBox::Warning);
            return;
        case net::RelayTrouble::Unreachable:
            Inform(tr("The connection to the relay %1 failed or ended; its room is closed.")
                       .arg(relay),
                   QMessageBox::Warning);
            return;
    }
}

void TOptionsForm::bbHandOverClick() {
    if (cbRecip_->currentIndex() < 0) return;
    network_->HandToComputer(FromQString(cbRecip_->currentText()));
}

void TOptionsForm::bbSendMsgClick() {
    if (cbRecip_->currentIndex() < 0) return;
    network_->SendChat(FromQString(cbRecip_->currentText()), FromQString(edMsg_->text()));
}

void TOptionsForm::ClientNamesChanged() {
    // The name choices of the Client rows follow the list; a row whose client left loses its
    // name. Only in server mode: leaving it empties the list, and the rows that turn Computer
    // then keep their names as text.
    if (shownMode_ == GameMode::Server)
        for (int n = 1; n <= kMaxSeats; ++n)
            if (rows_[n - 1].type->currentIndex() == static_cast<int>(PlayerType::Client))
                cbTypeChange(n);
    RecipientsChanged();
}

void TOptionsForm::SeatsTakenOver(const std::vector<int>& seats) {
    for (int n : seats) {
        if (n < 1 || n > kMaxSeats) continue;
        rows_[n - 1].type->setCurrentIndex(static_cast<int>(PlayerType::Computer));
        cbTypeChange(n);
    }
}

void TOptionsForm::ConnectionChanged() {
    const bool connected = network_->Connected();
    bbCon_->setText(ShownText(connected ? msg::Disconnect : msg::Connect));
    edClient_->setReadOnly(connected);
    RecipientsChanged();
}

void TOptionsForm::RecipientsChanged() {
    const QString chosen = cbRecip_->currentText();
    cbRecip_->clear();
    for (const std::string& n : network_->Recipients()) cbRecip_->addItem(ToQString(n));
    const int at = cbRecip_->findText(chosen, Qt::MatchExactly);
    if (at >= 0) cbRecip_->setCurrentIndex(at);
    bbHandOver_->setEnabled(cbRecip_->count() > 0);
}

// Keys and the mouse --------------------------------------------------------------------------

void TOptionsForm::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // FormKeyPress: Enter applies, except in client mode (no Apply there).
            if (shownMode_ != GameMode::Client) bbOptOkClick(false);
            return;
        case Qt::Key_F1:
            if (helpOpener_) helpOpener_("5_options.htm");
            return;
        case Qt::Key_Escape:
            bbOptCancelClick();
            return;
        default:
            QDialog::keyPressEvent(e);
    }
}

bool TOptionsForm::eventFilter(QObject* watched, QEvent* e) {
    auto* widget = qobject_cast<QWidget*>(watched);

    // The name filters (cbNameKeyPress, edClientKeyPress, edServerKeyPress).
    if (e->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
            key->key() == Qt::Key_F1) {
            // The dialog's keys, wherever the focus is.
            keyPressEvent(const_cast<QKeyEvent*>(key));
            return true;
        }
        const char typed = TypedKey(key);
        if (typed == 0) return false;
        if (watched == edClient_)
            return !KeyAccepted(TypedText::OwnName, edClient_->text().size(), typed);
        if (watched == edServer_)
            return !KeyAccepted(TypedText::ServerName, edServer_->text().size(), typed);
        for (const SeatRow& r : rows_) {
            if (watched != r.name->lineEdit()) continue;
            if (r.type->currentIndex() == static_cast<int>(PlayerType::Client)) return true;
            return !KeyAccepted(TypedText::SeatName, r.name->currentText().size(), typed);
        }
        return false;
    }

    // Dragging a seat label onto another (lbPlDragOver, lbPlEndDrag).
    const int row = RowOfLabel(widget);
    if (row == 0) return false;
    if (e->type() == QEvent::MouseButtonPress) {
        if (static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton) return false;
        dragSource_ = row;
        widget->setCursor(Qt::ClosedHandCursor);
        return true;
    }
    if (e->type() == QEvent::MouseMove && dragSource_ == row) {
        const QPoint at = mapFromGlobal(static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
        const bool overLabel = RowOfLabel(childAt(at)) != 0;
        widget->setCursor(overLabel ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
        return true;
    }
    if (e->type() == QEvent::MouseButtonRelease && dragSource_ == row) {
        dragSource_ = 0;
        widget->setCursor(Qt::OpenHandCursor);
        const QPoint at = mapFromGlobal(static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
        lbPlEndDrag(row, childAt(at));
        return true;
    }
    return false;
}

}  // namespace tq::ui
