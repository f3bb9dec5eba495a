// The user's data folder as the core works it out (for quorra-cli) and as Qt
// does for the window must be the same folder, whatever the XDG variables say.
// The rest of the rule (executable folder when writable, QUORRA_DATA_DIR) is
// checked from an installed copy by tests/installed_check.sh.
#include <QTest>

#include "app/data_dir.h"
#include "bignum/data_dir_rule.h"

class DataDirTest : public QObject {
    Q_OBJECT
private slots:
    void userFolderAgreesWithQt_data()
    {
        QTest::addColumn<QByteArray>("xdgDataHome");
        QTest::addColumn<QByteArray>("home");
        QTest::newRow("xdg") << QByteArray("/tmp/quorra-xdg") << QByteArray("/tmp/quorra-home");
        QTest::newRow("xdg trailing slash") << QByteArray("/tmp/quorra-xdg/") << QByteArray("/tmp/quorra-home");
        QTest::newRow("relative xdg ignored") << QByteArray("rel/xdg") << QByteArray("/tmp/quorra-home");
        QTest::newRow("no xdg") << QByteArray() << QByteArray("/tmp/quorra-home/");
    }

    void userFolderAgreesWithQt()
    {
        QFETCH(QByteArray, xdgDataHome);
        QFETCH(QByteArray, home);
        const QByteArray savedXdg = qgetenv("XDG_DATA_HOME"), savedHome = qgetenv("HOME");
        if (xdgDataHome.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", xdgDataHome);
        qputenv("HOME", home);
        const QString window = userDataFolderOfWindow();
        const QString core = QString::fromStdString(userDataFolder());
        qputenv("XDG_DATA_HOME", savedXdg);
        qputenv("HOME", savedHome);
        QCOMPARE(core, window);
        QVERIFY(window.endsWith(QStringLiteral("/quorra")) && !window.contains(QStringLiteral("//")));
    }

    void overrideIsTakenAsGiven()
    {
        const QByteArray saved = qgetenv(kDataDirVariable);
        qputenv(kDataDirVariable, "/tmp/quorra-data-override//");
        const QString dir = dataDirectory();
        qputenv(kDataDirVariable, saved);
        QCOMPARE(dir, QStringLiteral("/tmp/quorra-data-override"));
    }
};

QTEST_MAIN(DataDirTest)
#include "test_window_data_dir.moc"
