#include "app/memory_files.h"

#include <QFileInfo>

#include "app/data_dir.h"
#include "bignum/data_dir_rule.h"
#include "bignum/globals.h"
#include "expr/memory_text.h"
#include "bignum/message_port.h"
#include "app/stored_text_file.h"

namespace {

const char kLetters[kMemoryCount + 1] = "ABCDXFGHIJ";

bool validIndex(int index) { return index >= 1 && index <= kMemoryCount; }

// The data folder's file; when it has none, one left beside the executable
// (by a copy run from its own folder before it was installed) is still read.
// A folder named by QUORRA_DATA_DIR stands alone, so tests see only their own
// files.
QString memoryReadPath(int index)
{
    const QString path = memoryFilePath(index);
    if (dataDirectoryOverridden() || QFileInfo::exists(path))
        return path;
    const QString beside = besideExecutablePath(memoryFileName(index));
    return QFileInfo::exists(beside) ? beside : path;
}

} // namespace

QString memoryLetter(int index)
{
    return validIndex(index) ? QString(QLatin1Char(kLetters[index - 1])) : QString();
}

QString memoryFileName(int index)
{
    return validIndex(index) ? memoryLetter(index).repeated(3) + QStringLiteral(".txt") : QString();
}

QString memoryFilePath(int index) { return dataFilePath(memoryFileName(index)); }

bool myMemorySave(int index, const std::string& text)
{
    if (!validIndex(index))
        return false;
    if (text.empty())
        return true;
    QString problem;
    prepareDataDirectory();
    if (!writeStoredTextFile(memoryFilePath(index), text, &problem)) {
        showMessage(QStringLiteral("记忆 %1 未能存入。%2").arg(memoryLetter(index), problem).toStdString(),
                    MessageStyle::Warning);
        return false;
    }
    return true;
}

void loadMemoriesAtStart()
{
    for (int index = 1; index <= kMemoryCount; ++index) {
        const StoredTextRead read = readStoredTextFile(memoryFilePath(index));
        if (read.status == StoredTextStatus::Ok)
            memoryText[static_cast<size_t>(index - 1)] = read.text.empty() ? std::string("0") : read.text;
    }
}

bool myMemoryLoad(int index)
{
    if (!validIndex(index))
        return false;
    const StoredTextRead read = readStoredTextFile(memoryReadPath(index));
    switch (read.status) {
    case StoredTextStatus::Missing:
        memoryText[static_cast<size_t>(index - 1)].assign(1, '0');
        return true;
    case StoredTextStatus::Ok:
        if (read.text.empty())
            memoryText[static_cast<size_t>(index - 1)].assign(1, '0');
        else
            memoryText[static_cast<size_t>(index - 1)] = read.text;
        return true;
    case StoredTextStatus::Corrupt:
    case StoredTextStatus::Unreadable:
        break;
    }
    showMessage(QStringLiteral("记忆 %1 未能取出。%2").arg(memoryLetter(index), read.problem).toStdString(),
                MessageStyle::Warning);
    return false;
}
