#pragma once
// Compress and decompress helpers over zlib (zlib streams with header, not raw deflate or gzip).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Stream.h"

namespace skin {

// A decompressed skin larger than this is refused: real skins are below 2 MiB, and a forged
// stream must not exhaust memory.
inline constexpr std::size_t kMaxInflatedSize = 64u * 1024u * 1024u;

// Deflates at the maximum level.
[[nodiscard]] std::vector<uint8_t> ZCompress(const uint8_t* data, std::size_t size);

// Inflates the whole stream at once where the build has the faster whole-buffer inflater,
// otherwise (and to tell what is wrong with a faulty stream) in blocks of 4096 bytes. Fails (out empty, error
// set) on a damaged stream, on a stream that ends before its end marker, and on output beyond maxSize. Bytes
// after the end marker are ignored.
bool ZDecompress(const uint8_t* data, std::size_t size, std::vector<uint8_t>& out,
                 std::string* error = nullptr, std::size_t maxSize = kMaxInflatedSize);

// The same over streams: compresses the source's remaining bytes into dest, or inflates them.
void ZCompressStream(platform::core::TStream& source, platform::core::TStream& dest);
bool ZDecompressStream(platform::core::TStream& source, platform::core::TMemoryStream& dest,
                       std::string* error = nullptr, std::size_t maxSize = kMaxInflatedSize);

}  // namespace skin
