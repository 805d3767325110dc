// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a user meets it: layout, captions, start-up texts and state, focus order,
// accessible names, the report of a failing handler, the retained picture, quitting.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "fakes.h"
#include "qt/tarrowen_window.h"
#include "tests/contrast_ratio.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

template <typename T>
T* child(QWidget& w, const QString& name) {
    T* c = w.findChild<T*>(name);
    if (c == nullptr) qFatal("no control %s", qPrintable(name));
    return c;
}

QString box(QWidget& w, int i) {
    return child<QLineEdit>(w, QString("txt_masses(%1)").arg(i))->text();
}

// Every control's place and font.
using Arrangement = std::vector<std::pair<QRect, QFont>>;
Arrangement arrangement(QWidget& w) {
    Arrangement a;
    for (QWidget* c : w.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!c->objectName().isEmpty()) a.emplace_back(c->geometry(), c->font());
    return a;
}

// Empty when a paused picture holds nothing but the background, the orbit's colour and two
// whole lines (one down, one across, `pen` pixels wide), each colour `contrast` from the
// background; otherwise what is wrong.
QString paused_picture_faults(const QImage& img, QRgb background, QRgb orbit, QRgb line, int pen,
                              double contrast) {
    std::vector<int> in_column(static_cast<std::size_t>(img.width())), in_row(img.height());
    int lines = 0, orbits = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y) | 0xFF000000u;
            if (p == line)
                ++lines, ++in_column[static_cast<std::size_t>(x)], ++in_row[y];
            else if (p == orbit)
                ++orbits;
            else if (p != background)
                return QString("a stray pixel at (%1, %2)").arg(x).arg(y);
        }
    }
    const auto whole = [](const std::vector<int>& v, int n) {
        return std::count(v.begin(), v.end(), n);
    };
    if (whole(in_column, img.height()) != pen || whole(in_row, img.width()) != pen ||
        lines != pen * (img.width() + img.height() - pen))
        return QString("lines not whole (%1 pixels)").arg(lines);
    const auto value = [](QRgb c) { return qRed(c) + 256 * qGreen(c) + 65536 * qBlue(c); };
    for (QRgb c : {orbit, line})
        if (contrast_ratio(value(c), value(background)) < contrast) return "too little contrast";
    return orbits > 0 ? QString() : QString("no orbit");
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
  private slots:
    void window_caption_and_client_size() {
        Tarrowen w;
        QCOMPARE(w.windowTitle(), QString("Tarrowen"));
        QCOMPARE(w.size(), QSize(739, 560));  // 11085 x 8400 twips
    }

    // Every control at its place (twips / 15, edges rounded) with its caption.
    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Picture1") << "Picture1" << QRect(8, 16, 567, 500) << "";
        QTest::newRow("Run") << "runSImulation" << QRect(640, 8, 80, 25) << "Run Simulation";
        QTest::newRow("Restart") << "cmd_restart" << QRect(608, 456, 65, 33) << "Restart";
        QTest::newRow("Apply") << "cmd_apply" << QRect(680, 456, 57, 33) << "Apply";
        QTest::newRow("pause") << "cmd_stop_simulation" << QRect(608, 488, 65, 33)
                               << "pause simulation";
        QTest::newRow("Quit") << "cmd_exit_program" << QRect(680, 488, 57, 33) << "Quit ";
        const char* labels[8] = {"ang freq", "radius", "theta0", "t (sec)",
                                 "theta",    "x",      "y",      "theta"};
        const char* buttons[8] = {"incr rad",        "decr rad",        "incr freq",
                                  "decr freq",       "increment 1.000", "increment 0.100",
                                  "increment 0.010", "increment 0.001"};
        const char* texts[8] = {"2", "1", "0", "0", "0", "1", "0", "0"};
        for (int i = 0; i < 8; ++i) {
            const int top = 73 + 30 * i;  // (1100 + 450 i) / 15, rounded
            QTest::addRow("label %d", i)
                << QString("lbl_mass_id(%1)").arg(i) << QRect(587, top, 33, 25) << labels[i];
            QTest::addRow("box %d", i)
                << QString("txt_masses(%1)").arg(i) << QRect(627, top, 50, 25) << texts[i];
            QTest::addRow("button %d", i)
                << QString("cmd_color(%1)").arg(i) << QRect(680, top, 57, 30) << buttons[i];
        }
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QFETCH(QString, caption);
        Tarrowen w;
        QWidget* c = child<QWidget>(w, name);
        QCOMPARE(c->geometry(), rect);
        if (auto* b = qobject_cast<QPushButton*>(c)) {
            QCOMPARE(b->text(), caption);
            QVERIFY(!b->isDefault());
            QVERIFY(!b->autoDefault());
        } else if (auto* l = qobject_cast<QLabel*>(c)) {
            QCOMPARE(l->text(), caption);
        } else if (auto* e = qobject_cast<QLineEdit*>(c)) {
            QCOMPARE(e->text(), caption);
        }
    }

    // The buttons of the panel touch one another and end above Restart and Apply.
    void panel_buttons_touch() {
        Tarrowen w;
        for (int i = 0; i < 7; ++i) {
            const QRect a = child<QWidget>(w, QString("cmd_color(%1)").arg(i))->geometry();
            const QRect b = child<QWidget>(w, QString("cmd_color(%1)").arg(i + 1))->geometry();
            QCOMPARE(a.bottom() + 1, b.top());
        }
        QVERIFY(child<QWidget>(w, "cmd_color(7)")->geometry().bottom() <
                child<QWidget>(w, "cmd_apply")->geometry().top());
    }

    // The state agrees with the panel from the start; nothing ticks before Run.
    void start_up_state() {
        HandClock clock;
        FakeReport report;
        Tarrowen w(&clock, &report);
        QCOMPARE(w.motion().ang_freq, Number::dbl(2));
        QCOMPARE(w.motion().radius, Number::dbl(1));
        QCOMPARE(w.motion().theta0, Number::dbl(0));
        QVERIFY(w.motion().t_sec.is_empty());
        QVERIFY(w.motion().step.is_empty());
        QVERIFY(w.motion().palette[0].is_empty());
        QCOMPARE(w.timer().interval(), 0);
        QVERIFY(w.timer().enabled());
        QTest::qWait(30);
        QCOMPARE(w.qt_timer().tick_stats().ticks(), 0);
        QCOMPARE(w.drawing_area().fill_colour(), kFillAtCreation);
        const QImage img = canvas_image(w.drawing_area());
        QCOMPARE(img.pixel(0, 0) & 0xFFFFFF, 0u);
        QCOMPARE(img.pixel(img.width() - 1, img.height() - 1) & 0xFFFFFF, 0u);
        QCOMPARE(w.drawing_area().scale_width(), 4.5333333015441895f);
        QCOMPARE(w.drawing_area().scale_height(), 4.0f);
    }

    // Tab goes round in the fixed order, starting on the picture.
    void focus_order() {
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            QSKIP(
                "Qt cannot activate a window on Wayland, so the focus it gets on first show "
                "cannot be observed there");
        Tarrowen w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(w, "Picture1"));
        QStringList expected{"runSImulation"};
        for (int i = 0; i < 4; ++i)
            expected << QString("txt_masses(%1)").arg(i);
        expected << "cmd_stop_simulation"
                 << "cmd_exit_program";
        for (int i = 0; i < 4; ++i)
            expected << QString("cmd_color(%1)").arg(i);
        for (int i = 4; i < 8; ++i)
            expected << QString("txt_masses(%1)").arg(i);
        for (int i = 4; i < 8; ++i)
            expected << QString("cmd_color(%1)").arg(i);
        expected << "cmd_restart"
                 << "cmd_apply"
                 << "Picture1";
        QStringList got;
        for (int k = 0; k < expected.size(); ++k) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            got << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(got, expected);
    }

    // Screen readers name every box by its row; the two "theta" rows differ.
    void accessible_names_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("name");
        const char* names[8] = {"ang freq", "radius", "theta0", "t (sec)",
                                "theta",    "x",      "y",      "theta in units of pi"};
        for (int i = 0; i < 8; ++i)
            QTest::addRow("box %d", i) << i << names[i];
    }
    void accessible_names() {
        QFETCH(int, box);
        QFETCH(QString, name);
        Tarrowen w;
        w.show();
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(
            child<QWidget>(w, QString("txt_masses(%1)").arg(box)));
        QVERIFY(a != nullptr);
        QCOMPARE(a->text(QAccessible::Name), name);
        QCOMPARE(a->role(), QAccessible::EditableText);
        QVERIFY(!a->text(QAccessible::Description).isEmpty());
    }

    // Failures as a user meets them, through the buttons: a failed Apply or Run while the
    // motion runs leaves it running with its picture; a frequency too large for the tick is
    // mended by typing a fine one, Apply (told once) and Restart.
    void failures_as_the_user_meets_them_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("ticking");
        QTest::addColumn<QString>("theta");  // box 4 at the end
        const QString typed =
            "The number typed into the \"%1\" box (1E400) is too large. Please "
            "type a smaller one.";
        QTest::newRow("a failed Apply while running")
            << "click runSImulation; tick 1; mark; type 0 1E400; click cmd_apply; same; tick 1"
            << QStringList{typed.arg("ang freq")} << true << " 4";
        QTest::newRow("a failed Run while running")
            << "click runSImulation; tick 1; mark; type 1 1E400; click runSImulation; same; tick 1"
            << QStringList{typed.arg("radius")} << true << " 4";
        // Paused by the failed tick at t = 2 s; Apply puts theta0 at 0 - 2 * 2 = -4, so the
        // ticks after Restart show theta = 2 * 3 - 4 and 2 * 4 - 4.
        QTest::newRow("omega too large for the tick, mended")
            << "type 0 1E308; click runSImulation; tick 2; type 0 2; click cmd_apply; "
               "click cmd_restart; tick 1; click cmd_apply; tick 1"
            << QStringList{"The angle theta0 + omega * t cannot be computed: the angular "
                           "frequency 1E+308 is too large.",
                           "The angle cannot be computed with the angular frequency 1E+308: the "
                           "point goes on from its last place, with its angle taken within one "
                           "turn."}
            << true << " 4";
    }
    void failures_as_the_user_meets_them() {
        QFETCH(QString, script);
        QFETCH(QStringList, messages);
        QFETCH(bool, ticking);
        QFETCH(QString, theta);
        HandClock clock;
        FakeReport report;
        Tarrowen w(&clock, &report);
        QImage marked;
        for (const QString& step : script.split(';', Qt::SkipEmptyParts)) {
            const QStringList word = step.trimmed().split(' ');
            if (word[0] == "type") {
                child<QLineEdit>(w, "txt_masses(" + word[1] + ")")->setText(word[2]);
            } else if (word[0] == "click") {
                QTest::mouseClick(child<QPushButton>(w, word[1]), Qt::LeftButton);
            } else if (word[0] == "tick") {
                clock.advance(word[1].toFloat());
                if (w.timer().ticking()) w.Timer1_Timer();
            } else if (word[0] == "mark") {
                marked = canvas_image(w.drawing_area()).copy();
            } else if (word[0] == "same") {
                QVERIFY2(canvas_image(w.drawing_area()) == marked, qPrintable(step));
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
        }
        w.present_now();
        QCOMPARE(report.messages, messages);
        QCOMPARE(w.timer().ticking(), ticking);
        QCOMPARE(box(w, kBoxTheta), theta);
    }

    // A theta0 that the program writes shows its sign and leading digits, however long.
    void a_written_theta0_shows_its_start() {
        HandClock clock;
        FakeReport report;
        Tarrowen w(&clock, &report);
        QTest::mouseClick(child<QPushButton>(w, "runSImulation"), Qt::LeftButton);
        clock.advance(0.3f);
        w.Timer1_Timer();
        child<QLineEdit>(w, "txt_masses(0)")->setText("2.1");
        QTest::mouseClick(child<QPushButton>(w, "cmd_apply"), Qt::LeftButton);
        const auto* theta0 = child<QLineEdit>(w, "txt_masses(2)");
        QVERIFY2(theta0->text().startsWith("-0.0"), qPrintable(theta0->text()));
        QCOMPARE(theta0->cursorPosition(), 0);
    }

    // The picture is kept: what the widget paints is the canvas, also after hiding and
    // showing the window again.
    void picture_is_retained() {
        HandClock clock;
        FakeReport report;
        Tarrowen w(&clock, &report);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(child<QPushButton>(w, "runSImulation"), Qt::LeftButton);
        clock.advance(0.5f);
        w.Timer1_Timer();
        w.present_now();
        QWidget* picture = child<QWidget>(w, "Picture1");
        const QImage canvas = canvas_image(w.drawing_area()).convertToFormat(QImage::Format_RGB32);
        const auto shown = [&] {
            return picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        QCOMPARE(shown(), canvas);
        w.hide();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(shown(), canvas);
        QCOMPARE(shown().size(), (QSizeF(567, 500) * w.devicePixelRatioF()).toSize());
    }

    // The canvas has the pixels of the screen: twice as many each way at 200 %.
    void canvas_follows_the_scale_factor() {
        Tarrowen w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const qreal expected = qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2 ? 2.0 : 1.0;
        QCOMPARE(w.devicePixelRatioF(), expected);
        QCOMPARE(canvas_image(w.drawing_area()).size(), (QSizeF(567, 500) * expected).toSize());
        QCOMPARE(w.size(), QSize(739, 560));  // logical pixels: the layout keeps its shape
    }

    // The window made larger scales the whole layout and draws the picture again at its new
    // size, in either colour scheme; made its start-up size again, it is the start-up window.
    void scaled_window_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("projector");
        QTest::addColumn<double>("scale");  // the layout's factor; 0: back to the start size
        QTest::newRow("opened") << QSize(739, 560) << false << 1.0;
        QTest::newRow("twice") << QSize(1478, 1120) << false << 2.0;
        QTest::newRow("twice, projector") << QSize(1478, 1120) << true << 2.0;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << false << 1080 / 560.0;
        QTest::newRow("1920x1080, projector") << QSize(1920, 1080) << true << 1080 / 560.0;
        QTest::newRow("twice and back") << QSize(1478, 1120) << false << 0.0;
        QTest::newRow("twice and back, projector") << QSize(1478, 1120) << true << 0.0;
    }
    void scaled_window() {
        QFETCH(QSize, size);
        QFETCH(bool, projector);
        QFETCH(double, scale);
        // Two windows moved alike: `w` is resized, `twin` keeps its start-up size.
        HandClock clock;
        FakeReport report;
        Tarrowen w(&clock, &report), twin(&clock, &report);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const Arrangement opened = arrangement(w);
        const auto both = [&](const char* button, int ticks) {
            for (Tarrowen* t : {&w, &twin})
                QTest::mouseClick(child<QPushButton>(*t, button), Qt::LeftButton);
            for (int i = 0; i < ticks; ++i) {
                clock.advance(0.013);
                w.Timer1_Timer(), twin.Timer1_Timer();
            }
        };
        both("runSImulation", 40);
        both("cmd_stop_simulation", 0);
        if (projector) w.projector_action().trigger(), twin.projector_action().trigger();
        w.resize(size);
        if (scale == 0) w.resize(739, 560);
        w.present_now();
        const QImage canvas = canvas_image(w.drawing_area()).convertToFormat(QImage::Format_RGB32);
        // The widget's logical pixels may hold one device pixel more than the canvas.
        QImage shown = child<QWidget>(w, "Picture1")->grab().toImage().copy(canvas.rect());
        shown.setDevicePixelRatio(canvas.devicePixelRatio());
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), canvas);
        if (scale == 0 || scale == 1) {
            QVERIFY(arrangement(w) == opened);
            // From the next tick on, pixel for pixel what a window never resized shows.
            both("cmd_restart", 1);
            QCOMPARE(canvas_image(w.drawing_area()), canvas_image(twin.drawing_area()));
        } else {
            QCOMPARE(w.layout_scale(), scale);
            // The picture within a pixel or two of its exact size; the layout centred, filling
            // the height or the width ("Run Simulation" at (640, 8) of 739 x 560), its fonts
            // scaled.
            const QSizeF exact = QSizeF(567, 500) * scale * w.devicePixelRatioF();
            QVERIFY(std::abs(canvas.width() - exact.width()) <= 2);
            QVERIFY(std::abs(canvas.height() - exact.height()) <= 2);
            const QRect run = child<QWidget>(w, "runSImulation")->geometry();
            QVERIFY(std::abs(run.top() - 8 * scale - (w.height() - 560 * scale) / 2) <= 1);
            QVERIFY(std::abs(run.left() - 640 * scale - (w.width() - 739 * scale) / 2) <= 1);
            QVERIFY(std::min(w.width() - 739 * scale, w.height() - 560 * scale) < 1);
            QVERIFY(child<QWidget>(w, "txt_masses(0)")->font().pointSizeF() >=
                    w.font().pointSizeF() * scale * 0.99);
        }
        const int pen =
            std::max(1, static_cast<int>(std::lround(w.drawing_area().device_pixel_ratio())));
        const QString faults =
            projector ? paused_picture_faults(canvas, qRgb(255, 255, 255), qRgb(0, 0, 160),
                                              qRgb(0, 112, 0), pen, 4.5)
                      : paused_picture_faults(canvas, qRgb(0, 0, 0), qRgb(0, 0, 255),
                                              qRgb(0, 255, 0), pen, 0);
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
    }

    // The picture's menu from the keyboard (the picture has the focus at the start), its
    // checkable entries, and what they do: projector colours at once, full screen by F11 from
    // any control, left with Escape.
    void picture_menu() {
        Tarrowen w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QWidget* picture = child<QWidget>(w, "Picture1");
        auto* menu = w.findChild<QMenu*>("Picture1 menu");
        QStringList entries;
        for (QAction* a : menu->actions())
            entries << QString("%1 %2").arg(a->text()).arg(a->isCheckable() && !a->isChecked());
        QCOMPARE(entries, QStringList({"Full screen 1", "Projector colours 1"}));
        for (const auto& [key, modifier] :
             {std::pair{Qt::Key_F10, Qt::ShiftModifier}, std::pair{Qt::Key_Menu, Qt::NoModifier}}) {
            QTest::keyClick(picture, key, modifier);
            QVERIFY(menu->isVisible());
            QCOMPARE(menu->activeAction(), &w.full_screen_action());
            menu->hide();
        }
        w.projector_action().trigger();
        QCOMPARE(w.drawing_area().colour_at(5, 5), 0xFFFFFF);
        w.projector_action().trigger();
        QCOMPARE(w.drawing_area().colour_at(5, 5), 0);
        if (QGuiApplication::platformName() == "wayland")
            QSKIP("Qt cannot activate a window on Wayland, and a window's keys need it active");
        QTest::keyClick(child<QWidget>(w, "txt_masses(0)"), Qt::Key_F11);
        QTRY_VERIFY(w.isFullScreen() && w.full_screen_action().isChecked());
        QTest::keyClick(picture, Qt::Key_Escape);
        QTRY_VERIFY(!w.isFullScreen() && !w.full_screen_action().isChecked());
    }

    // "Quit " and the close button end the program at once, while the motion runs.
    void quit_ends_the_event_loop_data() {
        QTest::addColumn<bool>("close_button");
        QTest::newRow("Quit ") << false;
        QTest::newRow("close button") << true;
    }
    void quit_ends_the_event_loop() {
        QFETCH(bool, close_button);
        QPointer<Tarrowen> w = new Tarrowen;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        QTest::mouseClick(child<QPushButton>(*w, "runSImulation"), Qt::LeftButton);
        QTimer::singleShot(50, w, [w, close_button] {
            if (close_button) {
                w->close();
            } else {
                QTest::mouseClick(child<QPushButton>(*w, "cmd_exit_program"), Qt::LeftButton);
            }
        });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        guard.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.isNull());  // closed by either way, and gone
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
