#include "reports/OutputFile.h"

#include "reports/ReportError.h"
#include "settings/SavedState.h"
#include "util/Catalogue.h"
#include "util/LineEnd.h"
#include "util/StringUtils.h"

#include <cerrno>
#include <system_error>

namespace lxty {

namespace fs = std::filesystem;

FileError FileErrorFromErrno(int err) {
    switch (err) {
    // A file another program holds, a read-only file or folder, or no rights: all of these
    // are what the person knows as "permission denied".
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EBUSY:
    case EAGAIN:
        return {70, u"Permission denied"};
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return {61, u"Disk full"};
    case ENOENT:
    case ENOTDIR:
        return {76, u"Path not found"};
    case EIO:
        return {57, u"Device I/O error"};
    case EMFILE:
    case ENFILE:
        return {67, u"Too many files"};
    case ENAMETOOLONG:
    case EINVAL:
        return {52, u"Bad file name or number"};
    default:
        return {75, u"Path/File access error"};
    }
}

std::u16string TextFromPath(const fs::path& path) {
    return path.u16string();
}

OutputFile::~OutputFile() {
    Discard();
}

void OutputFile::Discard() {
    if (m_out.is_open())
        m_out.close();
    std::error_code ec;
    if (!m_temp.empty())
        fs::remove(m_temp, ec);
    m_temp.clear();
}

void OutputFile::Fail(int err) {
    if (!m_error)
        m_error = FileErrorFromErrno(err == 0 ? EIO : err);
}

bool OutputFile::Open(const fs::path& path) {
    Discard();
    m_error.reset();
    m_target = path;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(m_target, ec))) {
        const fs::path resolved = fs::canonical(m_target, ec);
        if (!ec)
            m_target = resolved;
    }
    const fs::file_status old = fs::status(m_target, ec);
    if (fs::exists(old)) {
        if (!fs::is_regular_file(old)) {
            m_error = FileError{75, u"Path/File access error"};
            return false;
        }
        // Writing in place would be refused for a write-protected file; the rename would not.
        if ((old.permissions() & fs::perms::owner_write) == fs::perms::none) {
            Fail(EACCES);
            return false;
        }
    }
    m_temp = TemporaryNameBeside(m_target);
    errno = 0;
    m_out.open(m_temp, std::ios::out | std::ios::binary | std::ios::trunc);
    if (!m_out.is_open()) {
        Fail(errno);
        m_temp.clear();
        return false;
    }
    if (fs::exists(old))
        fs::permissions(m_temp, old.permissions(), ec); // best effort
    return true;
}

bool OutputFile::Write(std::u16string_view text) {
    return Put(text, false);
}

bool OutputFile::WriteLine(std::u16string_view text) {
    return Put(text, true);
}

bool OutputFile::Put(std::u16string_view text, bool lineEnd) {
    if (m_error || !m_out.is_open())
        return false;
    // Reports are mostly ASCII: those units go across as they are, into a buffer kept from
    // call to call; from the first other unit on, the rest is converted whole.
    m_bytes.clear();
    std::size_t ascii = 0;
    while (ascii < text.size() && text[ascii] < 0x80)
        ++ascii;
    m_bytes.resize(ascii);
    for (std::size_t i = 0; i < ascii; ++i)
        m_bytes[i] = static_cast<char>(text[i]);
    if (ascii < text.size())
        m_bytes += U16ToUtf8(text.substr(ascii));
    if (lineEnd)
        m_bytes += kLineEnd8;
    errno = 0;
    m_out.write(m_bytes.data(), static_cast<std::streamsize>(m_bytes.size()));
    if (!m_out) {
        Fail(errno);
        return false;
    }
    return true;
}

bool OutputFile::Close() {
    if (m_out.is_open()) {
        errno = 0;
        m_out.flush();
        if (!m_out)
            Fail(errno);
        errno = 0;
        m_out.close();
        if (m_out.fail())
            Fail(errno);
    }
    if (m_temp.empty())
        return !m_error;
    if (!m_error) {
        std::error_code ec;
        fs::rename(m_temp, m_target, ec);
        if (ec)
            Fail(ec.value());
        else
            m_temp.clear();
    }
    Discard();
    return !m_error;
}

bool EmptyOutputFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec))
        return true;
    OutputFile file;
    return file.Open(path) && file.Close();
}

bool DecideOutputFile(OutputContext& ctx) {
    Settings& settings = ctx.settings;
    RunState& run = ctx.run;
    run.blnOutputFile = !settings.File[1].empty() && settings.DisableOutputToFile == 0;
    if (!run.blnOutputFile || settings.WarnOnOverwrite == 0)
        return run.blnOutputFile;

    std::error_code ec;
    if (!fs::exists(PathFromText(settings.File[1]), ec))
        return run.blnOutputFile;

    const auto answer = ctx.host.InputBox(u"To overwrite the current output file click on 'OK'.\n"
                                          u"To write to a different file edit the filepath below.\n"
                                          u"To disable file output click on 'Cancel'.",
                                          u"The output file exists.", settings.File[1]);
    // A path on this system is case-sensitive, so the answer is only trimmed, never
    // lower-cased: lower-casing could name another file or a folder that does not exist.
    const std::u16string path = answer ? TrimSpaces(*answer) : std::u16string();
    if (path.empty()) {
        settings.DisableOutputToFile = 1;
        run.blnOutputFile = false;
        return false;
    }
    const fs::path folder = PathFromText(path).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        ctx.host.MessageBox(u"Folder does not exist.", u"Error", MsgIcon::Exclamation);
        settings.DisableOutputToFile = 1;
        run.blnOutputFile = false;
        return false;
    }
    settings.File[1] = path;
    return true;
}

void ReportOutputFileError(OutputContext& ctx, const FileError& error) {
    if (error.number == 70) {
        ctx.host.MessageBox(u"Perhaps the output file\nis in use by another application.",
                            u"Permission denied", MsgIcon::Information);
    } else {
        ReportError(ctx, error.number, error.description, u"ListWords");
    }
}

bool IsInFolder(const fs::path& path, const fs::path& folder) {
    if (folder.empty())
        return false;
    const fs::path p = path.lexically_normal();
    fs::path f = folder.lexically_normal();
    if (!f.has_filename() && f.has_parent_path() && f != f.root_path())
        f = f.parent_path(); // "/data/texts/" -> "/data/texts"
    auto pi = p.begin();
    for (auto fi = f.begin(); fi != f.end(); ++fi, ++pi) {
        if (fi->empty())
            continue; // the empty last element of a path ending in a separator
        if (pi == p.end() || *pi != *fi)
            return false;
    }
    return true;
}

bool ChooseOutputFile(OutputContext& ctx) {
    Settings& settings = ctx.settings;
    const auto chosen =
        ctx.host.ChooseSaveFile(GetText(TextId::SpecifyOutputFileTitle), u"", settings.File[1]);
    if (!chosen)
        return false;
    settings.File[1] = *chosen;
    // A report inside the scanned folder would be counted by the next run. The test is on
    // whole path components, so "/data/a" does not claim "/data/ab.txt".
    if (settings.Source == SourceKind::Folder &&
        IsInFolder(PathFromText(settings.File[1]), PathFromText(settings.Folder))) {
        ctx.host.MessageBox(u"The output file cannot be in the folder or a subfolder",
                            u"Invalid output file", MsgIcon::Information);
        settings.File[1].clear();
    }
    if (!settings.File[1].empty())
        settings.DisableOutputToFile = 0;
    return true;
}

void ClearOutputFile(Settings& settings) {
    settings.File[1].clear();
    settings.DisableOutputToFile = 0;
}

} // namespace lxty
