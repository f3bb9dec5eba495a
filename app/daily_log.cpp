#include "app/daily_log.h"

#include <QFile>
#include <QFileInfo>

#include "expr/ansi_text.h"
#include "app/data_dir.h"
#include "bignum/message_port.h"

QString dailyLogFileName(const QDate& date, const QLocale& locale)
{
    QString name = locale.toString(date, QLocale::ShortFormat);
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return name + QStringLiteral(".txt");
}

QString generalDateTime(const QDateTime& when, const QLocale& locale)
{
    // The long time format carries the seconds; its time-zone field ("t")
    // is dropped, as a log line needs the local time only.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    QString withoutZone;
    bool quoted = false;
    for (QChar c : timeFormat) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        withoutZone.append(c);
    }
    return locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(when.time(), withoutZone.trimmed());
}

QByteArray logBlock(const QDateTime& when, const QLocale& locale, const QString& text)
{
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    body.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QString block = QStringLiteral("\r\n") + generalDateTime(when, locale) + QStringLiteral("\r\n") + body +
                          QStringLiteral("\r\n");
    return QByteArray::fromStdString(utf8ToAnsi(block.toStdString()));
}

bool appendLogBlock(const QString& path, const QString& text, QString* problem)
{
    const QByteArray block = logBlock(QDateTime::currentDateTime(), QLocale(), text);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(block) != block.size() || !file.flush()) {
        if (problem != nullptr)
            *problem = QStringLiteral("无法写入文件“%1”：%2").arg(QFileInfo(path).fileName(), file.errorString());
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        if (problem != nullptr)
            *problem = QStringLiteral("无法写入文件“%1”：%2").arg(QFileInfo(path).fileName(), file.errorString());
        return false;
    }
    return true;
}

QString DailyLog::todaysPath() const { return dataFilePath(dailyLogFileName(QDate::currentDate(), QLocale())); }

bool DailyLog::append(const QString& text, Reporting reporting)
{
    QString problem;
    prepareDataDirectory();
    if (appendLogBlock(todaysPath(), text, &problem)) {
        outageReported_ = false;
        return true;
    }
    if (reporting == Reporting::EveryFailure || !outageReported_) {
        QString message = QStringLiteral("计算记录未能保存到日志。%1").arg(problem);
        if (reporting == Reporting::OncePerOutage)
            message += QStringLiteral("\n计算照常进行；日志恢复可写之前不再提示。");
        showMessage(message.toStdString(), MessageStyle::Warning);
    }
    if (reporting == Reporting::OncePerOutage)
        outageReported_ = true;
    return false;
}
