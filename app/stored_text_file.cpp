#include "app/stored_text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "expr/ansi_text.h"

bool encodeStoredText(const std::string& utf8, QByteArray& bytes)
{
    const std::string ansi = utf8ToAnsi(utf8);
    bytes.clear();
    if (ansi.size() > static_cast<size_t>(kMaxStoredTextBytes))
        return false;
    int n = static_cast<int>(ansi.size());
    QByteArray header(kStoredTextHeaderBytes, '\0');
    for (int k = kStoredTextHeaderBytes - 1; k >= 0; --k) {
        header[k] = static_cast<char>(n % 10);
        n /= 10;
    }
    bytes = header + QByteArray(ansi.data(), static_cast<qsizetype>(ansi.size()));
    return true;
}

StoredTextRead decodeStoredText(const QByteArray& contents, const QString& displayName)
{
    const StoredTextParsed parsed = parseStoredText(contents.constData(), static_cast<size_t>(contents.size()));
    StoredTextRead read;
    read.status = StoredTextStatus::Corrupt;
    switch (parsed.status) {
    case StoredTextParse::Ok:
        read.status = StoredTextStatus::Ok;
        read.text = parsed.text;
        break;
    case StoredTextParse::ShortHeader:
        read.problem = QStringLiteral("文件“%1”已损坏：开头的长度信息不足 5 个字节。内容未读入。").arg(displayName);
        break;
    case StoredTextParse::BadLengthByte:
        read.problem =
            QStringLiteral("文件“%1”已损坏或不是存储的算式文件：第 %2 个长度字节为 %3，应为 0 到 9。内容未读入。")
                .arg(displayName)
                .arg(parsed.badByteIndex + 1)
                .arg(parsed.badByteValue);
        break;
    case StoredTextParse::ShortText:
        read.problem = QStringLiteral("文件“%1”已损坏：长度信息为 %2 字节，但文件中只有 %3 字节正文。内容未读入。")
                           .arg(displayName)
                           .arg(parsed.declaredLength)
                           .arg(static_cast<qsizetype>(parsed.availableBytes));
        break;
    case StoredTextParse::NotGbk:
        read.problem =
            QStringLiteral("文件“%1”已损坏：正文不是有效的中文（GBK）文本。内容未读入。").arg(displayName);
        break;
    }
    return read;
}

StoredTextRead readStoredTextFile(const QString& path)
{
    const QString displayName = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        StoredTextRead read;
        read.status = StoredTextStatus::Unreadable;
        read.problem = QStringLiteral("无法读取文件“%1”：%2").arg(displayName, file.errorString());
        return read;
    }
    // Bytes past the stored text are ignored, so a huge file is never read
    // whole: the header cannot count beyond kMaxStoredTextBytes.
    const QByteArray contents = file.read(kStoredTextHeaderBytes + kMaxStoredTextBytes);
    if (file.error() != QFileDevice::NoError) {
        StoredTextRead read;
        read.status = StoredTextStatus::Unreadable;
        read.problem = QStringLiteral("无法读取文件“%1”：%2").arg(displayName, file.errorString());
        return read;
    }
    return decodeStoredText(contents, displayName);
}

bool writeStoredTextFile(const QString& path, const std::string& utf8, QString* problem)
{
    const QString displayName = QFileInfo(path).fileName();
    QByteArray bytes;
    if (!encodeStoredText(utf8, bytes)) {
        if (problem != nullptr)
            *problem = QStringLiteral("文本太长：存储的文本最多 %1 字节（中文字符各占 2 字节）。").arg(kMaxStoredTextBytes);
        return false;
    }
    QSaveFile file(path);
    // The explicit flush matters: commit() does not notice a buffered write
    // that the disk took only in part, and would put the cut file in place.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        if (problem != nullptr)
            *problem = QStringLiteral("无法写入文件“%1”：%2").arg(displayName, file.errorString());
        return false;
    }
    return true;
}
