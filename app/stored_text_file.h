// Stored-text files, shared by the memory files and the Open command; the
// byte layout and its parsing are in stored_text.h.
#pragma once

#include <QByteArray>
#include <QString>

#include <string>

#include "expr/stored_text.h"

enum class StoredTextStatus {
    Ok,       // text holds what the file stored (empty for a length of 0)
    Missing,  // no such file
    Corrupt,  // problem explains; nothing was read
    Unreadable,
};

struct StoredTextRead {
    StoredTextStatus status = StoredTextStatus::Missing;
    std::string text; // UTF-8
    QString problem;  // for the user, when status is Corrupt or Unreadable
};

// Header and GBK bytes of a UTF-8 text. False when the text needs more than
// kMaxStoredTextBytes bytes (bytes is then left empty).
bool encodeStoredText(const std::string& utf8, QByteArray& bytes);

// Decodes file contents; displayName names the file in a problem text.
StoredTextRead decodeStoredText(const QByteArray& contents, const QString& displayName);

StoredTextRead readStoredTextFile(const QString& path);

// Replaces the file by the stored form of the text through a new file renamed
// over the old one, so that a failed write leaves the old contents in place.
// On failure returns false and explains in *problem.
bool writeStoredTextFile(const QString& path, const std::string& utf8, QString* problem);
