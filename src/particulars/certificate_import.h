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

    // The vehicle's numbers and the names where `target` already holds another value than the
    // certificate (not merely another width or spacing): the user chooses which stays.
    QList<Particular> conflicts(const Particulars& target) const;
    // Both values of a conflict, in words for the user.
    QString conflictText(const Particulars& target, Particular particular) const;
    // Puts the imported values into the empty particulars of `target`, and over those `taken`
    // (conflicts the user settled for the certificate); returns the particulars left as they
    // were because they already held another value.
    QList<Particular> mergeInto(Particulars& target, const QList<Particular>& taken = {}) const;
    // For the user, one line each: what was read, what was not disclosed, what was kept, what
    // was taken over a value the case held.
    QString summary(const QList<Particular>& kept = {}, const QList<Particular>& taken = {}) const;
};

// Whose certificate it is: the vehicle's owner and user after this registration, or the
// seller's (名義変更), whose owner becomes the 譲渡人 and whose user is not the buyer.
enum class CertificateOf { Buyer, Seller };

// No certificate export comes near this; anything larger is refused unread.
inline constexpr qint64 kCertificateByteLimit = 1024 * 1024;

// Reads the JSON that the certificate viewer app exports (the object CertInfo, or its keys at
// the top level). Only a regular file is opened; a file that is larger than the limit, not
// JSON, or without any of the certificate's keys gives an error and no particulars.
CertificateImport importCertificate(const QString& path,
                                    CertificateOf whose = CertificateOf::Buyer);

} // namespace mivo
