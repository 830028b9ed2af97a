// What the program's style sheet costs: the main window built, every page built and the window drawn once, with
// the style sheet as the program applies it and without (the palette and Fusion style only), in one process and
// alternating, so both see the same machine. Offscreen; median of the rounds.
//
//   stylesheet_bench [--rounds N]

#include "app/AppContext.h"
#include "app/PageControl.h"
#include "app/TForm1.h"
#include "scheduler/SchedulerClock.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

// Milliseconds to build the main window on an empty folder, build all its pages and draw it; the main menu alone
// first, as a start shows it.
struct Round {
    double mainMenuMs = 0;
    double allPagesMs = 0;
};

Round oneRound() {
    QTemporaryDir folder;
    const SystemClock clock;
    Round round;
    QElapsedTimer timer;
    timer.start();
    TForm1 form(AppContext{folder.path(), &clock, true});
    form.grab();
    round.mainMenuMs = double(timer.nsecsElapsed()) / 1e6;
    form.PageControl1->buildAllPages();
    for (int index = 0; index < form.PageControl1->count(); ++index) {
        form.showPage(index);
        form.grab();
    }
    round.allPagesMs = double(timer.nsecsElapsed()) / 1e6;
    return round;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect.warning=false"));
    const QStringList args = QCoreApplication::arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--rounds"));
    const int rounds = at >= 0 && at + 1 < args.size() ? args[at + 1].toInt() : 15;

    Theme::apply(app);
    const QString sheet = app.styleSheet();
    oneRound(); // fonts, plugins and caches that any first window pays for
    QList<double> withMenu;
    QList<double> withAll;
    QList<double> withoutMenu;
    QList<double> withoutAll;
    for (int i = 0; i < rounds; ++i) {
        app.setStyleSheet(sheet);
        const Round with = oneRound();
        app.setStyleSheet(QString());
        const Round without = oneRound();
        withMenu << with.mainMenuMs;
        withAll << with.allPagesMs;
        withoutMenu << without.mainMenuMs;
        withoutAll << without.allPagesMs;
    }
    QTextStream out(stdout);
    out << "## Style sheet (" << rounds << " rounds each, medians, offscreen)\n\n";
    out << "| | main window with its main menu, drawn, ms | every page built and drawn, ms |\n|---|---|---|\n";
    out << "| with the style sheet | " << QString::number(median(withMenu), 'f', 1) << " | "
        << QString::number(median(withAll), 'f', 1) << " |\n";
    out << "| reference: without it (palette and Fusion only) | " << QString::number(median(withoutMenu), 'f', 1)
        << " | " << QString::number(median(withoutAll), 'f', 1) << " |\n";
    out << "| cost of the style sheet | " << QString::number(median(withMenu) - median(withoutMenu), 'f', 1) << " | "
        << QString::number(median(withAll) - median(withoutAll), 'f', 1) << " |\n\n";
    return 0;
}
