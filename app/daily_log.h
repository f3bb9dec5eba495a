// The daily log: one text file a day in the data folder (data_dir.h), named by the locale's short date with "/" turned into "-",
// collecting blocks of three lines: an empty line, the date and time, and the
// text. Lines end in CR LF and the text is in GBK, as the program's other
// text files. The "=" run writes to it when auto save is ticked, and so does
// the Save command; Save as writes the same block to a chosen file.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

// "<short date with - for />.txt".
QString dailyLogFileName(const QDate& date, const QLocale& locale);

// The locale's short date and its time of day with seconds (no time zone).
QString generalDateTime(const QDateTime& when, const QLocale& locale);

// The three lines of a block in GBK; line breaks inside the text become CR LF.
QByteArray logBlock(const QDateTime& when, const QLocale& locale, const QString& text);

// Appends the block for now to path (created when absent). On failure
// returns false and explains in *problem.
bool appendLogBlock(const QString& path, const QString& text, QString* problem);

class DailyLog {
public:
    enum class Reporting {
        EveryFailure,    // a command the user gave: say each time it fails
        OncePerOutage,   // auto save: say it once, then quietly go on until a write works again
    };

    // Appends the text to today's log. A failure is reported through the
    // message port (as Reporting allows); the program carries on either way.
    bool append(const QString& text, Reporting reporting);

    QString todaysPath() const;

private:
    bool outageReported_ = false;
};
