#include "reports/office/ChunkedFileWriter.h"

namespace kvam {

namespace {
constexpr qsizetype ChunkSize = 1 << 20;
} // namespace

ChunkedFileWriter::ChunkedFileWriter(QIODevice *target) : m_target(target)
{
    m_chunk.reserve(ChunkSize + 4096);
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

ChunkedFileWriter::~ChunkedFileWriter() { finish(); }

bool ChunkedFileWriter::flushChunk()
{
    const bool ok = m_chunk.isEmpty() || m_target->write(m_chunk) == m_chunk.size();
    m_chunk.resize(0);
    return ok;
}

qint64 ChunkedFileWriter::writeData(const char *data, qint64 size)
{
    m_chunk.append(data, qsizetype(size));
    if (m_chunk.size() >= ChunkSize && !flushChunk())
        return -1;
    return size;
}

bool ChunkedFileWriter::finish() { return flushChunk(); }

} // namespace kvam
