#pragma once

// The store's writes, one transaction each; for its own files only.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <initializer_list>

namespace store_detail {
// BEGIN IMMEDIATE takes the write lock at once, so two writers queue on the
// busy time-out instead of both reading and then failing to write.
class WriteTransaction
{
public:
    explicit WriteTransaction(const QSqlDatabase &db)
        : m_db(db)
        , m_open(run(QStringLiteral("BEGIN IMMEDIATE")))
    {
    }
    ~WriteTransaction()
    {
        if (m_open)
            run(QStringLiteral("ROLLBACK"));
    }
    bool isOpen() const { return m_open; }
    bool commit()
    {
        m_open = !run(QStringLiteral("COMMIT"));
        return !m_open;
    }
    QString error() const { return m_error; }

private:
    bool run(const QString &statement)
    {
        QSqlQuery query(m_db);
        if (query.exec(statement))
            return true;
        m_error = query.lastError().text();
        return false;
    }

    QSqlDatabase m_db;
    QString m_error;
    bool m_open;
};

// The first of the errors given, for the player to read.
inline QString firstError(std::initializer_list<QString> errors)
{
    for (const QString &error : errors) {
        if (!error.isEmpty())
            return error;
    }
    return QStringLiteral("unknown error");
}
}

using store_detail::WriteTransaction;
using store_detail::firstError;
