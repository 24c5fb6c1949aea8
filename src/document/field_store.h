#pragma once

#include <QObject>
#include <QString>

#include <array>

namespace mivo {

// The 79 typed values tx(0) to tx(78) of the five text documents; empty until set.
class FieldStore : public QObject {
    Q_OBJECT
  public:
    static constexpr int Count = 79;

    using QObject::QObject;

    static bool isIndex(int index) { return index >= 0 && index < Count; }

    // The value of field `index`; the empty text for a field never typed in or out of range.
    QString value(int index) const;
    void setValue(int index, const QString& text);
    void clear();

  signals:
    void valueChanged(int index, const QString& text);

  private:
    std::array<QString, Count> values_;
};

} // namespace mivo
