#pragma once

#include "cases/case.h"
#include "particulars/particulars.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace mivo {

// Gives the case the particulars `after`: each changed one carries into the case's fields
// that still hold its old value or nothing (followParticulars). Returns the fields changed.
QList<int> changeParticulars(Case& c, const Particulars& after);

// What `mivo-cases set` changed, or why it changed nothing.
struct CaseCorrection {
    QList<Particular> particulars;
    QList<int> fields;
    QString error;
};

// Sets NAME=VALUE on the case, all or none: NAME is a particular as `mivo-cases show` writes it
// (user.address) or a field index. A field set by index becomes its particular while that is
// empty, as typing does, and that particular then reaches the other documents.
CaseCorrection correctCase(Case& c, const QStringList& assignments);

} // namespace mivo
