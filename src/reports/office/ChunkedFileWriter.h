#pragma once

#include <QByteArray>
#include <QIODevice>

namespace kvam {

// A write-only device that gathers the many small writes of an XML writer and
// hands them to target in large pieces: a buffered QFile spends more time on
// each small write than the XML writer spends making it.
class ChunkedFileWriter : public QIODevice {
public:
    explicit ChunkedFileWriter(QIODevice *target);
    ~ChunkedFileWriter() override;

    // Writes what is gathered; false when the target refuses it.
    bool finish();

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool flushChunk();

    QIODevice *m_target;
    QByteArray m_chunk;
};

} // namespace kvam
