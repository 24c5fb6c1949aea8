#pragma once

#include "particulars/particulars.h"

#include <QObject>

namespace mivo {

// The current case's particulars, shared by the windows that show or fill from them: the
// particulars window writes them, the data-entry form reads them and adopts typed values, and
// whoever keeps the case saves them when they change.
class CaseParticulars : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    const Particulars& particulars() const { return particulars_; }
    QString value(Particular particular) const { return particulars_.value(particular); }

    // Each emits changed once when something is different, never otherwise.
    void set(const Particulars& particulars);
    void setValue(Particular particular, const QString& text);

  signals:
    // `previous` is what they were before, for those that act only on what changed.
    void changed(const mivo::Particulars& previous);

  private:
    Particulars particulars_;
};

} // namespace mivo
