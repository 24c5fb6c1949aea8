#pragma once

#include "particulars/particulars.h"

#include <QList>
#include <QString>

namespace mivo {

// What an electronic inspection certificate export gave: the particulars it filled, those it
// marks as not disclosed ("***"), or the reason it could not be read, in words for the user.
struct CertificateImport {
    Particulars particulars;
    QList<Particular> filled;
    QList<Particular> notDisclosed;
    QString error;

    bool ok() const { return error.isEmpty(); }

    // Puts the imported values into the empty particulars of `target`; returns the particulars
    // left as they were because they already held another value.
    QList<Particular> mergeInto(Particulars& target) const;
    // For the user, one line each: what was read, what was not disclosed, what was kept.
    QString summary(const QList<Particular>& kept = {}) const;
};

// No certificate export comes near this; anything larger is refused unread.
inline constexpr qint64 kCertificateByteLimit = 1024 * 1024;

// Reads the JSON that the certificate viewer app exports (the object CertInfo, or its keys at
// the top level). Only a regular file is opened; a file that is larger than the limit, not
// JSON, or without any of the certificate's keys gives an error and no particulars.
CertificateImport importCertificate(const QString& path);

} // namespace mivo
