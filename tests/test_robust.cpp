// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Bad input gets a clear answer and loses nothing: any text typed or pasted into
// txtTueren changes nothing, and the program started without a display says so and ends
// with exit code 1 instead of crashing. A program on Windows always has the desktop it
// was started on, and there Qt answers a missing platform plugin with a message box of its
// own, which waits for the user: those cases are Unix's.

#include "support.h"

#include "window/display.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>

namespace {

// Texts no door count is made of: long ones, letters beyond ASCII, symbols beyond the
// basic plane, right-to-left marks, and control characters.
QStringList badTexts()
{
    return {
        QStringLiteral("7"),
        QStringLiteral("99999999999999999999999"),
        QStringLiteral("-3"),
        QStringLiteral("Türen ÄÖÜ ß € \U0001F410 \u202Eabc"),
        QString(QChar(0)) + QStringLiteral("\t\n\r\x1B\x7F\b") + QChar(0x2028),
        QStringLiteral("<b>%1</b> & \"'"),
        QStringLiteral("0123456789").repeated(10000),
    };
}

#ifdef Q_OS_UNIX
using Variables = QList<QPair<QString, QString>>;

struct Run {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString errors, output;
};

// Starts the program with these variables removed from the environment and others set.
Run startProgram(const QStringList& removed, const Variables& set = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : removed)
        environment.remove(name);
    for (const auto& [name, value] : set)
        environment.insert(name, value);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(WULPE_PROGRAM), {});
    Run run;
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        return run;
    }
    run.exitCode = program.exitCode();
    run.status = program.exitStatus();
    run.errors = QString::fromUtf8(program.readAllStandardError());
    run.output = QString::fromUtf8(program.readAllStandardOutput());
    return run;
}

const QStringList displays = {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
                              QStringLiteral("QT_QPA_PLATFORM")};
#endif

} // namespace

class RobustTest : public QObject {
    Q_OBJECT

private slots:
    void typedOrPastedTextChangesNothing();
#ifdef Q_OS_UNIX
    void noDisplayIsAClearMessageAndExitCodeOne_data();
    void noDisplayIsAClearMessageAndExitCodeOne();
#endif
};

void RobustTest::typedOrPastedTextChangesNothing()
{
    Harness h;
    showWhole(*h);
    h->vscTueren->setValue(5);
    h->imgTuer_Click(1);
    settle(*h);
    const GameState before = stateOf(*h);
    TextBox& box = *h->txtTueren;

    for (const QString& text : badTexts()) {
        typeInto(box, text.left(300));
        QTest::keyClick(&box, Qt::Key_Return);
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(&box, Qt::Key_Enter);
        QVERIFY2(stateOf(*h) == before, qPrintable(text.left(40)));
    }
    QVERIFY(box.text() != QStringLiteral("5"));

    // The game goes on where it was, and the next change of the count shows the count.
    h->imgTuer_Click(3);
    settle(*h);
    QCOMPARE(h->AnzahlWahlen, 2);
    h->vscTueren->setValue(4);
    QCOMPARE(box.text(), QStringLiteral("4"));
}

#ifdef Q_OS_UNIX
void RobustTest::noDisplayIsAClearMessageAndExitCodeOne_data()
{
    QTest::addColumn<Variables>("set");
    QTest::newRow("nothing set") << Variables{};
    // A display that no server serves, and a platform that does not exist: Qt cannot start.
    QTest::newRow("no server") << Variables{{QStringLiteral("DISPLAY"), QStringLiteral(":4711")}};
    QTest::newRow("no platform") << Variables{{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("keine")}};
}

void RobustTest::noDisplayIsAClearMessageAndExitCodeOne()
{
    QFETCH(Variables, set);
    const Run run = startProgram(displays, set);
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.endsWith(QString::fromUtf8(noDisplayMessage)), qPrintable(run.errors));
    QVERIFY(run.errors.contains(QStringLiteral("grafische Oberfläche")));
    QVERIFY(run.errors.contains(QStringLiteral("graphical display")));
    QVERIFY(run.output.isEmpty());
}
#endif

QTEST_MAIN(RobustTest)
#include "test_robust.moc"
