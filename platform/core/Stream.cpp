#include "platform/core/Stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/core/Files.h"

namespace platform::core {

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count < 0) return 0;
    const bool all = count == 0;
    std::vector<uint8_t> buffer(std::size_t{64} * 1024);
    int64_t copied = 0;
    while (all || copied < count) {
        std::size_t want = buffer.size();
        if (!all) want = static_cast<std::size_t>(std::min<int64_t>(count - copied, static_cast<int64_t>(want)));
        const std::size_t got = source.Read(buffer.data(), want);
        if (got == 0) break;
        const std::size_t put = Write(buffer.data(), got);
        copied += static_cast<int64_t>(put);
        if (put < got) break;
    }
    return copied;
}

// ---- TMemoryStream

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    if (m_position >= m_data.size() || count == 0) return 0;
    const std::size_t n = std::min(count, m_data.size() - m_position);
    std::memcpy(buffer, m_data.data() + m_position, n);
    m_position += n;
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (count == 0) return 0;
    if (count > std::numeric_limits<std::size_t>::max() - m_position) return 0;
    const std::size_t end = m_position + count;
    if (end > m_data.size()) m_data.resize(end);  // a gap after a seek past the end reads as zeros
    std::memcpy(m_data.data() + m_position, buffer, count);
    m_position = end;
    return count;
}

const uint8_t* TMemoryStream::RemainingBytes(std::size_t& count) const {
    count = m_position < m_data.size() ? m_data.size() - m_position : 0;
    return count ? m_data.data() + m_position : nullptr;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    switch (origin) {
        case TSeekOrigin::Beginning: base = 0; break;
        case TSeekOrigin::Current: base = static_cast<int64_t>(m_position); break;
        case TSeekOrigin::End: base = static_cast<int64_t>(m_data.size()); break;
    }
    if ((offset > 0 && base > std::numeric_limits<int64_t>::max() - offset) || base + offset < 0) return -1;
    m_position = static_cast<std::size_t>(base + offset);
    return base + offset;
}

void TMemoryStream::SetSize(std::size_t size) {
    m_data.resize(size);
    m_position = std::min(m_position, size);
}

void TMemoryStream::Clear() {
    m_data.clear();
    m_position = 0;
}

bool TMemoryStream::LoadFromFile(const std::string& path) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return false;
    m_data = std::move(*bytes);
    m_position = 0;
    return true;
}

bool TMemoryStream::SaveToFile(const std::string& path) const {
    return WriteFileAtomic(path, m_data.data(), m_data.size());
}

// ---- TFileStream

// "e": close on exec, so that started programs do not inherit the file.
TFileStream::TFileStream(const std::string& path, TMode mode)
    : m_file(std::fopen(path.c_str(), mode == TMode::OpenRead ? "rbe" : "w+be")) {}

TFileStream::~TFileStream() {
    if (m_file != nullptr) std::fclose(m_file);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
    if (m_file == nullptr || count == 0) return 0;
    if (m_lastOp == TLastOp::Write && ::fseeko(m_file, 0, SEEK_CUR) != 0) return 0;
    m_lastOp = TLastOp::Read;
    return std::fread(buffer, 1, count, m_file);
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
    if (m_file == nullptr || count == 0) return 0;
    if (m_lastOp == TLastOp::Read && ::fseeko(m_file, 0, SEEK_CUR) != 0) return 0;
    m_lastOp = TLastOp::Write;
    return std::fwrite(buffer, 1, count, m_file);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    if (m_file == nullptr) return -1;
    int whence = SEEK_SET;
    if (origin == TSeekOrigin::Current) whence = SEEK_CUR;
    if (origin == TSeekOrigin::End) whence = SEEK_END;
    if (::fseeko(m_file, static_cast<off_t>(offset), whence) != 0) return -1;
    std::clearerr(m_file);  // a failed read or write before does not stick to later ones
    m_lastOp = TLastOp::None;
    return static_cast<int64_t>(::ftello(m_file));
}

int64_t TFileStream::Size() const {
    if (m_file == nullptr) return 0;
    // Seeking to the end and back counts buffered writes and keeps buffered reads valid.
    const off_t pos = ::ftello(m_file);
    if (pos < 0 || ::fseeko(m_file, 0, SEEK_END) != 0) return 0;
    const off_t end = ::ftello(m_file);
    ::fseeko(m_file, pos, SEEK_SET);
    return end < 0 ? 0 : static_cast<int64_t>(end);
}

}  // namespace platform::core
