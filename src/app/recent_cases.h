#pragma once

#include <QList>
#include <QString>

namespace mivo {

// The cases opened or begun last, newest first, kept in the settings for the database they
// belong to (a list made for another database is not shown), and whether the program starts
// with the last of them current again.
class RecentCases {
  public:
    static constexpr int kCount = 8;
    struct Entry {
        qint64 id = 0;
        QString name;
    };

    explicit RecentCases(const QString& database) : database_(database) {}

    QList<Entry> entries() const;
    // Puts the case first, with its name of now.
    void add(qint64 id, const QString& name);
    void forget(qint64 id);

    static bool reopenLast();
    static void setReopenLast(bool reopen);

  private:
    void write(const QList<Entry>& entries);

    QString database_;
};

} // namespace mivo
