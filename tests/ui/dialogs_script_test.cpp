// The test harness itself: a check that fails inside a dialog's script fails the test that showed
// the dialog and ends it there, and a prepared answer or script that was never used fails its test.
// Each case runs in a child process of this program, whose verdict is then read.

#include "uitest.h"

#include <QDialog>
#include <QProcess>

using zorbon::ui::Dialogs;

namespace {

bool inChild()
{
    return qEnvironmentVariableIsSet("ZORBON_HARNESS_CHILD");
}

struct Verdict {
    int exitCode = 0;
    QString output;
};

// Runs one test function of this program in a child process.
Verdict runChild(const QString& function)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZORBON_HARNESS_CHILD"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {function});
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
        return {-1, QStringLiteral("the child did not finish")};
    }
    return {child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1, QString::fromUtf8(child.readAll())};
}

} // namespace

class DialogsScriptTest : public QObject {
    Q_OBJECT
private slots:
    void aFailedCheckInAScriptFailsItsTestAndEndsIt()
    {
        if (inChild())
            QSKIP("run by the parent");
        const Verdict v = runChild(QStringLiteral("childFailsInsideAScript"));
        QVERIFY2(v.exitCode == 1, qPrintable(v.output));
        QVERIFY2(v.output.contains(QStringLiteral("FAIL!  : DialogsScriptTest::childFailsInsideAScript()")),
                 qPrintable(v.output));
        QVERIFY2(!v.output.contains(QStringLiteral("went on")), qPrintable(v.output));
    }

    void anUnusedScriptFailsItsTest()
    {
        if (inChild())
            QSKIP("run by the parent");
        const Verdict v = runChild(QStringLiteral("childLeavesAScriptUnused"));
        QVERIFY2(v.exitCode == 1, qPrintable(v.output));
        QVERIFY2(v.output.contains(QStringLiteral("1 prepared answer(s) or dialog script(s) never used")),
                 qPrintable(v.output));
    }

    void anUnusedAnswerFailsItsTest()
    {
        if (inChild())
            QSKIP("run by the parent");
        const Verdict v = runChild(QStringLiteral("childLeavesAnAnswerUnused"));
        QVERIFY2(v.exitCode == 1, qPrintable(v.output));
        QVERIFY2(v.output.contains(QStringLiteral("FAIL!  : DialogsScriptTest::childLeavesAnAnswerUnused()")),
                 qPrintable(v.output));
    }

    void aPassingScriptPasses()
    {
        if (inChild())
            QSKIP("run by the parent");
        const Verdict v = runChild(QStringLiteral("childUsesEverything"));
        QVERIFY2(v.exitCode == 0, qPrintable(v.output));
    }

    // The cases the parent runs; skipped when this program runs as a test.
    void childFailsInsideAScript()
    {
        if (!inChild())
            QSKIP("a case run in a child process");
        UiTestEnv env;
        QDialog dialog;
        Dialogs::script([](QDialog* d) {
            QCOMPARE(d->objectName(), QStringLiteral("something else"));
            d->accept();
        });
        STEP(Dialogs::exec(&dialog));
        qInfo("went on after the failed script");
    }

    void childLeavesAScriptUnused()
    {
        if (!inChild())
            QSKIP("a case run in a child process");
        UiTestEnv env;
        Dialogs::script([](QDialog* d) { d->accept(); });
    }

    void childLeavesAnAnswerUnused()
    {
        if (!inChild())
            QSKIP("a case run in a child process");
        UiTestEnv env;
        Dialogs::answer(true);
    }

    void childUsesEverything()
    {
        if (!inChild())
            QSKIP("a case run in a child process");
        UiTestEnv env;
        QDialog dialog;
        dialog.setObjectName(QStringLiteral("Dialog1"));
        Dialogs::script([](QDialog* d) {
            QCOMPARE(d->objectName(), QStringLiteral("Dialog1"));
            d->accept();
        });
        Dialogs::answer(true);
        STEP(QCOMPARE(Dialogs::exec(&dialog), int(QDialog::Accepted)));
        QVERIFY(Dialogs::question(nullptr, QStringLiteral("Ano?")));
    }
};

QTEST_MAIN(DialogsScriptTest)
#include "dialogs_script_test.moc"
