#include "tools/skingen/OutputFolder.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>

#include "platform/core/Files.h"
#include "platform/gfx/Jpeg.h"

namespace skingen {

namespace fs = std::filesystem;

std::vector<uint8_t> JpegBytes(const platform::gfx::TBitmap& bitmap, int quality) {
    // The encoder writes files only; a private temporary file carries the bytes.
    std::error_code ec;
    const fs::path path = fs::temp_directory_path(ec) / ("skingen-" + std::to_string(getpid()) + ".jpg");
    if (ec || !platform::gfx::SaveJpeg(bitmap, path.string(), quality)) return {};
    auto bytes = platform::core::ReadFileBytes(path.string());
    fs::remove(path, ec);
    return bytes ? std::move(*bytes) : std::vector<uint8_t>{};
}

void TOutputFolder::Add(std::string path, std::vector<uint8_t> bytes, bool executable) {
    m_files.push_back({std::move(path), std::move(bytes), executable});
}

void TOutputFolder::Add(std::string path, const std::string& text, bool executable) {
    Add(std::move(path), std::vector<uint8_t>(text.begin(), text.end()), executable);
}

namespace {

bool Fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

std::string TopName(const std::string& path) {
    return path.substr(0, path.find('/'));
}

// The folder itself, also when it is given with a trailing "/".
fs::path BaseOf(const std::string& folder) {
    const fs::path p = fs::path(folder).lexically_normal();
    return p.filename().empty() ? p.parent_path() : p;
}

bool WriteAll(const fs::path& root, const std::vector<TOutputFile>& files, std::string* error) {
    for (const TOutputFile& file : files) {
        if (file.Path.empty() || file.Path.front() == '/' || file.Path.find("..") != std::string::npos)
            return Fail(error, "bad output path \"" + file.Path + "\"");
        const fs::path target = root / file.Path;
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        if (ec) return Fail(error, "cannot create " + target.parent_path().string() + ": " + ec.message());
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.Bytes.data()),
                  static_cast<std::streamsize>(file.Bytes.size()));
        out.close();
        if (!out) return Fail(error, "cannot write " + target.string());
        const auto perms = file.Executable
                               ? fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec
                               : fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                     fs::perms::others_read;
        fs::permissions(target, perms, ec);
        if (ec) return Fail(error, "cannot set the mode of " + target.string() + ": " + ec.message());
    }
    return true;
}

}  // namespace

bool TOutputFolder::CommitFiles(const std::string& folder, std::string* error) const {
    if (folder.empty()) return Fail(error, "no output folder given");
    std::error_code ec;
    for (const TOutputFile& file : m_files) {
        if (file.Path.empty() || file.Path.front() == '/' || file.Path.find("..") != std::string::npos)
            return Fail(error, "bad output path \"" + file.Path + "\"");
        const fs::path target = fs::path(folder) / file.Path;
        fs::create_directories(target.parent_path(), ec);
        if (!platform::core::WriteFileAtomic(target.string(), file.Bytes.data(), file.Bytes.size()))
            return Fail(error, "cannot write " + target.string());
    }
    return true;
}

bool TOutputFolder::CheckTarget(const std::string& folder, const std::vector<std::string>& names,
                                const std::function<bool(const std::string&)>& ownsEntry,
                                std::string* error) {
    if (folder.empty()) return Fail(error, "no output folder given");
    const fs::path base = BaseOf(folder);
    std::error_code ec;
    if (!fs::exists(base, ec)) return true;
    if (!fs::is_directory(base, ec)) return Fail(error, base.string() + " exists and is not a folder");
    const std::set<std::string> ours(names.begin(), names.end());
    for (const auto& entry : fs::directory_iterator(base, ec)) {
        const std::string name = entry.path().filename().string();
        if (!ours.count(name) && !(ownsEntry && ownsEntry(entry.path().string())))
            return Fail(error, base.string() + " holds \"" + name +
                                   "\", which was not generated; give an empty or new folder");
    }
    if (ec) return Fail(error, "cannot read " + base.string() + ": " + ec.message());
    return true;
}

bool TOutputFolder::Commit(const std::string& folder,
                           const std::function<bool(const std::string&)>& ownsEntry,
                           std::string* error) const {
    std::vector<std::string> names;
    for (const TOutputFile& f : m_files) names.push_back(TopName(f.Path));
    if (!CheckTarget(folder, names, ownsEntry, error)) return false;
    const fs::path base = BaseOf(folder);
    std::error_code ec;
    const bool exists = fs::exists(base, ec);
    const std::string suffix = "." + std::to_string(getpid());
    const fs::path fresh = base.string() + ".new" + suffix;
    const fs::path old = base.string() + ".old" + suffix;
    fs::remove_all(fresh, ec);
    if (!fs::create_directories(fresh, ec) || ec) return Fail(error, "cannot create " + fresh.string());
    if (!WriteAll(fresh, m_files, error)) {
        fs::remove_all(fresh, ec);
        return false;
    }
    if (exists) {
        fs::rename(base, old, ec);
        if (ec) {
            fs::remove_all(fresh, ec);
            return Fail(error, "cannot move " + base.string() + " aside");
        }
    }
    fs::rename(fresh, base, ec);
    if (ec) {
        const std::string message = "cannot move the new folder into place: " + ec.message();
        if (exists) fs::rename(old, base, ec);
        fs::remove_all(fresh, ec);
        return Fail(error, message);
    }
    if (exists) fs::remove_all(old, ec);
    return true;
}

}  // namespace skingen
