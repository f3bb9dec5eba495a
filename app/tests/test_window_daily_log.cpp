// The daily log's name and block layout: the locale's short date with "/"
// turned into "-", and three CR LF lines (empty, date and time, text) in GBK.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/daily_log.h"
#include "app/tests/window_harness.h"

class DailyLogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { startCoreForWindowTests(); }

    void fileNameFollowsTheLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("name");
        QTest::newRow("zh_CN") << QLocale(QLocale::Chinese, QLocale::China) << "2024-1-5.txt";
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "1-5-24.txt";
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "05.01.24.txt";
    }

    void fileNameFollowsTheLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, name);
        QCOMPARE(dailyLogFileName(QDate(2024, 1, 5), locale), name);
        QVERIFY(!name.contains(QLatin1Char('/')));
    }

    void blockLayout()
    {
        const QLocale zh(QLocale::Chinese, QLocale::China);
        const QDateTime when(QDate(2024, 1, 5), QTime(13, 4, 5));
        const QByteArray block = logBlock(when, zh, QStringLiteral("π*2\n =6.2"));
        QCOMPARE(block, QByteArray("\r\n2024/1/5 13:04:05\r\n") + QByteArray::fromHex("a6d0") +
                            QByteArray("*2\r\n =6.2\r\n"));
        // Line breaks the box already holds as CR LF are not doubled.
        QCOMPARE(logBlock(when, zh, QStringLiteral("1\r\n2")).right(6), QByteArray("1\r\n2\r\n"));
    }

    void dateTimeHasSecondsAndNoZone()
    {
        const QDateTime when(QDate(2024, 1, 5), QTime(21, 7, 9));
        const QString us = generalDateTime(when, QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY2(us.startsWith(QStringLiteral("1/5/24 ")) && us.contains(QStringLiteral("9:07:09")), qPrintable(us));
        QVERIFY2(!us.contains(QStringLiteral("UTC")) && !us.contains(QStringLiteral("GMT")), qPrintable(us));
    }

    void appendCreatesThenAppends()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        QString problem;
        QVERIFY(appendLogBlock(path, QStringLiteral("first"), &problem));
        QVERIFY(appendLogBlock(path, QStringLiteral("second"), &problem));
        const QList<QByteArray> lines = readFileBytes(path).split('\n');
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[2], QByteArray("first\r"));
        QCOMPARE(lines[5], QByteArray("second\r"));
        QVERIFY(!appendLogBlock(dir.filePath(QStringLiteral("missing/log.txt")), QStringLiteral("x"), &problem));
        QVERIFY(problem.contains(QStringLiteral("log.txt")));
    }
};

QTEST_MAIN(DailyLogTest)
#include "test_window_daily_log.moc"
