#pragma once
// Byte streams, as the skin containers and picture codecs read and write them.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace platform::core {

enum class TSeekOrigin { Beginning, Current, End };

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to count bytes; returns the number read (short only at the end of the stream).
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    [[nodiscard]] virtual int64_t Size() const = 0;

    [[nodiscard]] int64_t Position() { return Seek(0, TSeekOrigin::Current); }
    void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::Beginning); }
    // Reads exactly count bytes or returns false (position then undefined).
    bool ReadExact(void* buffer, std::size_t count) { return Read(buffer, count) == count; }
    bool WriteAll(const void* buffer, std::size_t count) { return Write(buffer, count) == count; }
    // Copies count bytes from source (all remaining when count is 0); returns bytes copied.
    int64_t CopyFrom(TStream& source, int64_t count);
    // The bytes from the position to the end, when the stream holds them in memory, so that a
    // reader can parse them in place and then Seek past what it used; nullptr (count 0) when it
    // does not. The pointer is valid until the stream is written to or freed.
    [[nodiscard]] virtual const uint8_t* RemainingBytes(std::size_t& count) const {
        count = 0;
        return nullptr;
    }
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> data) : m_data(std::move(data)) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    [[nodiscard]] int64_t Size() const override { return static_cast<int64_t>(m_data.size()); }
    [[nodiscard]] const uint8_t* RemainingBytes(std::size_t& count) const override;

    void SetSize(std::size_t size);
    void Clear();
    [[nodiscard]] const uint8_t* Memory() const { return m_data.data(); }
    [[nodiscard]] uint8_t* Memory() { return m_data.data(); }
    [[nodiscard]] const std::vector<uint8_t>& Bytes() const { return m_data; }
    bool LoadFromFile(const std::string& path);
    bool SaveToFile(const std::string& path) const;  // atomic replace

private:
    std::vector<uint8_t> m_data;
    std::size_t m_position = 0;
};

// OpenRead opens for reading; Create creates or truncates the file and opens it for reading and
// writing (not atomic: use TMemoryStream::SaveToFile to replace a file).
class TFileStream : public TStream {
public:
    enum class TMode { OpenRead, Create };
    TFileStream(const std::string& path, TMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    [[nodiscard]] bool IsOpen() const { return m_file != nullptr; }
    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    [[nodiscard]] int64_t Size() const override;

private:
    // C streams need a seek between a write and a following read (and back); this remembers which
    // came last so that Read and Write can put one in.
    enum class TLastOp { None, Read, Write };
    std::FILE* m_file = nullptr;
    TLastOp m_lastOp = TLastOp::None;
};

}  // namespace platform::core
