#pragma once
// The record stream of a project file: one value per record, read and
// written in a fixed order. The file format itself lives in tvdfile.h; the
// screens and the coax control only see these two interfaces.

#include <QString>
#include <QStringList>

namespace miravel::project {

class RecordWriter {
public:
    virtual ~RecordWriter() = default;
    virtual void writeRecord(const QString& value) = 0;
};

class RecordReader {
public:
    virtual ~RecordReader() = default;
    // The next record; raises UserError when the records are exhausted.
    virtual QString readRecord() = 0;
};

// Records held in memory: what a save collects and what a load applies.
class RecordList : public RecordWriter, public RecordReader {
public:
    RecordList() = default;
    explicit RecordList(QStringList records) : m_records(std::move(records)) {}

    void writeRecord(const QString& value) override { m_records.append(value); }
    QString readRecord() override;

    const QStringList& records() const { return m_records; }
    int position() const { return m_next; }

private:
    QStringList m_records;
    int m_next = 0;
};

} // namespace miravel::project
