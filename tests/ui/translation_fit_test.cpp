// SPDX-License-Identifier: GPL-3.0-or-later
// Every caption and fixed-size control of the window and its dialogs shows its whole text, in
// English and in Russian: the text's width in the control's own font fits the room the control
// gives it. A translation that does not fit must be shortened, never clipped.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "base/messages.h"
#include "ui/about_form.h"
#include "ui/app.h"
#include "ui/coach.h"
#include "ui/fonts.h"
#include "ui/info_form.h"
#include "ui/language.h"
#include "ui/menu_look.h"
#include "ui/options_form.h"
#include "ui/rec_form.h"
#include "ui/style_form.h"
#include "ui/text.h"
#include "ui_support.h"

using namespace tq;
using namespace tq::ui;

namespace {

int TextWidth(const QFontMetrics& fm, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split('\n'))
        widest = std::max(widest, fm.horizontalAdvance(QString(line).remove('&')));
    return widest;
}

QString Name(const QWidget* w, const QString& text) {
    return QString("%1 \"%2\"").arg(w->metaObject()->className(), text);
}

// A widget the program placed: hidden ones are alternatives of a mode (the rated-game box and the
// connection panel take the same place), so only those not hidden themselves meet each other.
bool Placed(const QWidget* w) {
    return !w->isHidden() && !w->isWindow();
}

// A caption must not run into the controls beside it (those its line of text crosses) nor out
// of its parent.
void CheckRoom(const QWidget* w, const QRect& text, const QString& what, QStringList& misfits) {
    const QWidget* parent = w->parentWidget();
    if (!parent) return;
    if (text.right() >= parent->width())
        misfits << QString("%1 runs %2 px out of its parent")
                       .arg(what)
                       .arg(text.right() + 1 - parent->width());
    if (!Placed(w)) return;
    const int middle = text.center().y();
    for (const QObject* o : parent->children()) {
        const auto* sibling = qobject_cast<const QWidget*>(o);
        if (!sibling || sibling == w || !Placed(sibling)) continue;
        const QRect g = sibling->geometry();
        if (g.top() <= middle && g.bottom() >= middle && g.left() <= text.right() &&
            g.right() >= text.left())
            misfits << QString("%1 (%2 to %3 px) runs into %4 at %5 px")
                           .arg(what)
                           .arg(text.left())
                           .arg(text.right())
                           .arg(sibling->metaObject()->className())
                           .arg(g.left());
    }
}

// What of one widget's texts does not fit.
void CheckWidget(QWidget* w, QStringList& misfits) {
    const QFontMetrics fm = w->fontMetrics();
    if (auto* label = qobject_cast<QLabel*>(w)) {
        const QString text = label->text();
        if (text.isEmpty()) return;
        if (label->wordWrap()) {
            // Wrapped text must fit the label's height.
            const int need = label->heightForWidth(label->width());
            if (need > label->height())
                misfits << QString("%1 needs %2 px of height, has %3")
                               .arg(Name(w, text))
                               .arg(need)
                               .arg(label->height());
            return;
        }
        const int need = TextWidth(fm, text);
        const QRect room = label->contentsRect();
        if (need > room.width())
            misfits
                << QString("%1 needs %2 px, has %3").arg(Name(w, text)).arg(need).arg(room.width());
        const int lines = int(text.count('\n')) + 1;
        const int high = std::min(room.height(), lines * fm.lineSpacing());
        const int top = label->alignment() & Qt::AlignTop      ? 0
                        : label->alignment() & Qt::AlignBottom ? room.height() - high
                                                               : (room.height() - high) / 2;
        const QRect extent(label->geometry().topLeft() + room.topLeft() + QPoint(0, top),
                           QSize(std::min(need, room.width()), high));
        if (label->alignment() & Qt::AlignLeft || !(label->alignment() & Qt::AlignHCenter))
            CheckRoom(w, extent, Name(w, text), misfits);
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        const QString text = button->text();
        if (text.isEmpty()) return;
        int need = TextWidth(fm, text) + w->style()->pixelMetric(QStyle::PM_ButtonMargin) +
                   2 * w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        if (!button->icon().isNull()) need += button->iconSize().width() + 4;
        if (need > w->width())
            misfits
                << QString("%1 needs %2 px, has %3").arg(Name(w, text)).arg(need).arg(w->width());
        return;
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w) ||
        qobject_cast<QToolButton*>(w)) {
        const auto* button = static_cast<QAbstractButton*>(w);
        if (button->text().isEmpty()) return;
        if (w->sizeHint().width() > w->width())
            misfits << QString("%1 needs %2 px, has %3")
                           .arg(Name(w, button->text()))
                           .arg(w->sizeHint().width())
                           .arg(w->width());
        return;
    }
    if (auto* box = qobject_cast<QGroupBox*>(w)) {
        const int need = TextWidth(fm, box->title()) + 16;
        if (need > w->width())
            misfits << QString("%1 needs %2 px, has %3")
                           .arg(Name(w, box->title()))
                           .arg(need)
                           .arg(w->width());
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable()) return;
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.editable = false;
        const int room =
            w->style()
                ->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, w)
                .width();
        for (int i = 0; i < combo->count(); ++i) {
            const int need = TextWidth(fm, combo->itemText(i));
            if (need > room)
                misfits << QString("%1 item needs %2 px, has %3")
                               .arg(Name(w, combo->itemText(i)))
                               .arg(need)
                               .arg(room);
        }
        return;
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        // Each page caption whole on its tab, and every tab on the bar.
        const QTabBar* bar = tabs->tabBar();
        const QFontMetrics tabFm = bar->fontMetrics();
        for (int i = 0; i < tabs->count(); ++i) {
            const QRect r = bar->tabRect(i);
            const int need = TextWidth(tabFm, bar->tabText(i).trimmed());
            if (r.width() < need + 4 || bar->mapTo(tabs, r.topRight()).x() >= tabs->width())
                misfits << QString("tab \"%1\" of %2 needs %3 px, has %4 up to %5 of %6")
                               .arg(bar->tabText(i).trimmed(), tabs->window()->windowTitle())
                               .arg(need + 4)
                               .arg(r.width())
                               .arg(bar->mapTo(tabs, r.topRight()).x())
                               .arg(tabs->width());
        }
        return;
    }
    if (auto* button = qobject_cast<FlatButton*>(w)) {
        const int need = TextWidth(fm, button->Caption()) + 4;
        if (!button->Caption().isEmpty() && need > w->width())
            misfits << QString("%1 needs %2 px, has %3")
                           .arg(Name(w, button->Caption()))
                           .arg(need)
                           .arg(w->width());
        return;
    }
    if (auto* label = qobject_cast<TextLabel*>(w)) {
        if (label->Text().isEmpty()) return;
        const int need = TextWidth(QFontMetrics(label->font()), label->Text());
        if (need > label->width())
            misfits << QString("%1 is cut: needs %2 px, has %3")
                           .arg(Name(w, label->Text()))
                           .arg(need)
                           .arg(label->width());
        // A caption centred on a shape stays inside it.
        if (!w->parentWidget()) return;
        for (const QObject* o : w->parentWidget()->children()) {
            const auto* shape = qobject_cast<const ShapeView*>(o);
            if (shape && shape->geometry().contains(w->geometry().center()) &&
                !shape->geometry().contains(w->geometry()))
                misfits << QString("%1 runs out of its cell").arg(Name(w, label->Text()));
        }
    }
}

QStringList Misfits(QWidget* root) {
    QStringList misfits;
    CheckWidget(root, misfits);
    for (QWidget* w : root->findChildren<QWidget*>())
        if (w->window() == root) CheckWidget(w, misfits);
    return misfits;
}

// The command items are drawn by the program: the caption from its left, the key from its own
// place, in an item of fixed width.
QStringList MenuMisfits(const QMenu* menu) {
    QStringList misfits;
    const QFontMetrics fm(menu->font());
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        const int room = a->shortcut().isEmpty()
                             ? miNewGameMeasureItem().width() - kMenuCaptionLeft - 2
                             : kMenuShortcutLeft - kMenuCaptionLeft - 2;
        const int need = fm.horizontalAdvance(a->text());
        if (need > room)
            misfits << QString("menu item \"%1\" needs %2 px, has %3")
                           .arg(a->text())
                           .arg(need)
                           .arg(room);
    }
    return misfits;
}

}  // namespace

class TranslationFitTest : public QObject {
    Q_OBJECT
  private slots:
    // The program's fonts: their substitutes decide every width.
    void initTestCase() { InitialiseApplication(); }
    void cleanup() { InstallTranslations(InterfaceLanguage::English); }

    void fits_data() {
        QTest::addColumn<InterfaceLanguage>("language");
        QTest::addColumn<QString>("window");
        for (const auto& [language, name] : {std::pair{InterfaceLanguage::English, "en"},
                                             std::pair{InterfaceLanguage::Russian, "ru"}}) {
            for (const char* window : {"main", "options", "options client", "options server",
                                       "style", "status", "results", "records", "about"})
                QTest::newRow(QString("%1 %2").arg(name, window).toUtf8().constData())
                    << language << QString(window);
        }
    }

    void fits() {
        QFETCH(InterfaceLanguage, language);
        QFETCH(QString, window);
        QCOMPARE(InstallTranslations(language), language);
        GameModel model;
        test::FillEnglishModel(model);
        model.Settings.Seat(1).Type = PlayerType::Computer;
        TMainForm main(model);
        test::ModalRecorder modals;
        main.SetModalRunner(modals.Runner());
        main.show();
        main.Flow().StartNewGame();

        QWidget* shown = nullptr;
        QStringList misfits;
        if (window == "main") {
            shown = &main;
            misfits << MenuMisfits(main.GameMenu()) << MenuMisfits(main.HelpMenu());
        } else if (window.startsWith("options")) {
            TOptionsForm& options = main.OptionsForm();
            options.show();
            // The network modes show the connection and chat panels in place of the rated-game
            // box (shown here without a network).
            QWidget* general = options.findChild<QTabWidget*>()->widget(0);
            if (window != "options") {
                for (QWidget* child : general->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                    if (qobject_cast<QCheckBox*>(child)) child->hide();
                    if (child->metaObject() == &QWidget::staticMetaObject) child->show();
                }
            }
            if (window == "options server") {
                for (QComboBox* c : options.findChildren<QComboBox*>())
                    if (!c->isEditable() && c->count() == 2)
                        c->addItem(QCoreApplication::translate("tq::ui::TOptionsForm", "Client"));
                // More addresses than are shown, a long IPv6 one among them.
                const std::vector<std::string> addresses = {"192.168.100.200", "10.100.200.250",
                                                            "2001:db8:85a3::8a2e:370:7334",
                                                            "172.16.254.254", "192.168.1.1"};
                for (QLabel* l : general->findChildren<QLabel*>()) {
                    if (!l->wordWrap()) continue;
                    l->setText(ServerAddressText(addresses, 16282));
                    l->show();
                }
                // The move limit beside "Server" and the button that hands a seat over.
                for (QGroupBox* box : general->findChildren<QGroupBox*>())
                    for (QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                        if (child->metaObject() == &QWidget::staticMetaObject) child->show();
                for (QPushButton* b : general->findChildren<QPushButton*>()) b->show();
                if (const QString dir = qEnvironmentVariable("TESSAROON_SCREENSHOTS");
                    !dir.isEmpty())
                    options.grab().save(dir + "/options-server-" +
                                        (language == InterfaceLanguage::Russian ? "ru" : "en") +
                                        ".png");
            }
            shown = &options;
        } else if (window == "style") {
            shown = &main.StyleForm();
            shown->show();
        } else if (window == "status") {
            shown = &main.InfoForm();
            shown->show();
        } else if (window == "results") {
            model.State.Phase = GamePhase::GameOver;
            shown = &main.InfoForm();
            shown->show();
        } else if (window == "records") {
            shown = &main.RecForm();
            shown->show();
        } else if (window == "about") {
            shown = &main.AboutForm();
            shown->show();
        }
        QVERIFY(shown);
        QApplication::processEvents();
        misfits << Misfits(shown);
        QVERIFY2(misfits.isEmpty(), qPrintable("\n" + misfits.join("\n")));
    }

    // A seat's name of the longest length shows whole in its field on the Players page, and the
    // row stays on its page: names of twelve capitals, the Cyrillic ones the widest.
    void longestNamesFit_data() {
        QTest::addColumn<InterfaceLanguage>("language");
        QTest::newRow("en") << InterfaceLanguage::English;
        QTest::newRow("ru") << InterfaceLanguage::Russian;
    }

    void longestNamesFit() {
        QFETCH(InterfaceLanguage, language);
        QCOMPARE(InstallTranslations(language), language);
        GameModel model;
        test::FillEnglishModel(model);
        TMainForm main(model);
        TOptionsForm& options = main.OptionsForm();
        options.show();
        QStringList misfits;
        for (const QString& name :
             {QString("КОНСТАНТИНОВ"), QString("МАКСИМИЛИАНА"), QString("MAXIMILLIANO")}) {
            for (int n = 1; n <= 5; ++n) {
                const TOptionsForm::SeatRow& row = options.Row(n);
                QLineEdit* edit = row.name->lineEdit();
                edit->setText(name);
                const QRect room = edit->contentsRect().marginsRemoved(edit->textMargins());
                // A line edit keeps two pixels free at either end of its text.
                const int need = QFontMetrics(edit->font()).horizontalAdvance(name) + 4;
                if (need > room.width())
                    misfits << QString("seat %1: \"%2\" needs %3 px, has %4")
                                   .arg(n)
                                   .arg(name)
                                   .arg(need)
                                   .arg(room.width());
                if (row.row->geometry().right() >= row.row->parentWidget()->width())
                    misfits << QString("seat %1's row runs out of its page").arg(n);
            }
        }
        QVERIFY2(misfits.isEmpty(), qPrintable("\n" + misfits.join("\n")));
    }

    // The status line's hints, the longest a game shows, fit the hint box (160 px).
    void hintsFit_data() {
        QTest::addColumn<InterfaceLanguage>("language");
        QTest::newRow("en") << InterfaceLanguage::English;
        QTest::newRow("ru") << InterfaceLanguage::Russian;
    }

    void hintsFit() {
        QFETCH(InterfaceLanguage, language);
        QCOMPARE(InstallTranslations(language), language);
        const QFontMetrics fm(SansSerif(11));
        QStringList misfits;
        for (std::string_view hint :
             {msg::PutLetter, msg::MarkWord, msg::NewLetterNotMarked, msg::TooShort, msg::TooLong,
              msg::UnknownWord, msg::UnknownWordAccept, msg::AlreadyConstructed, msg::AlreadyFormed,
              msg::StartHint, msg::Draw}) {
            const QString shown = ShownText(hint);
            if (fm.horizontalAdvance(shown) > 160) misfits << shown;
        }
        // A winner with a name of ordinary width.
        const QString wins = ShownText(msg::Fill(msg::Wins, {"Computer 2"}));
        if (fm.horizontalAdvance(wins) > 160) misfits << wins;
        QVERIFY2(misfits.isEmpty(), qPrintable("\n" + misfits.join("\n")));
    }

    // The coach's lines show whole in the hint box of the window, which widens for them under
    // the results table but never reaches the clock: the hint of a ten-letter word of 100 points
    // and more, and every reason F7 or F8 gives for doing nothing.
    void coachLinesFit_data() { hintsFit_data(); }

    void coachLinesFit() {
        QFETCH(InterfaceLanguage, language);
        QCOMPARE(InstallTranslations(language), language);
        GameModel model;
        test::FillEnglishModel(model);
        TMainForm main(model);
        main.show();
        QStringList lines;
        for (const char* word : {"SCRAMBLERS", "НАПОЛНЕНИЕ"})
            for (const int points : {100, 1000}) {
                Move best;
                best.Word = FromQString(QString::fromUtf8(word));
                const std::string text = Coach::HintText(best);
                lines << ToQString(text).replace(QString::number(WordPointsOf(best.Word)),
                                                 QString::number(points));
            }
        for (int r = 0; r < Coach::kRefusals; ++r)
            lines << Coach::RefusalText(static_cast<Coach::Refusal>(r));
        QStringList misfits;
        for (const QString& line : lines) {
            main.ShowHintText(line, Qt::black);
            main.SetHintVisible(true);
            QApplication::processEvents();
            for (const QString& m : Misfits(&main))
                if (m.contains(line)) misfits << m;
            if (main.HintFrame()->geometry().right() >= main.ClockLabel()->geometry().left())
                misfits << line + " widens the hint box into the clock";
        }
        QVERIFY2(misfits.isEmpty(), qPrintable("\n" + misfits.join("\n")));
    }
};

QTEST_MAIN(TranslationFitTest)
#include "translation_fit_test.moc"
