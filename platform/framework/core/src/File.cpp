#include <framework/File.h>

#include <win32/Paths.h>

#include "FileErrors.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace orbel::detail {

int FileCauseFromErrno(int error)
{
    switch (error) {
    case 0: return CFileException::none;
    case ENOENT: return CFileException::fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return CFileException::badPath;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return CFileException::accessDenied;
    case EMFILE:
    case ENFILE: return CFileException::tooManyOpenFiles;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return CFileException::diskFull;
    case EIO: return CFileException::hardIO;
    case EBADF: return CFileException::invalidFile;
    case ESPIPE: return CFileException::badSeek;
    case EBUSY: return CFileException::sharingViolation;
    default: return CFileException::genericException;
    }
}

} // namespace orbel::detail

namespace {

using orbel::detail::FileCauseFromErrno;

std::string FullNativePath(const std::string& nativePath)
{
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(nativePath, error);
    if (error)
        return nativePath;
    return full.lexically_normal().string();
}

// A missing file inside a missing folder is a bad path, as on the program's
// original platform.
int OpenFailureCause(int error, const std::string& nativePath)
{
    if (error == ENOENT) {
        const std::filesystem::path parent = std::filesystem::path(nativePath).parent_path();
        std::error_code ignored;
        if (!parent.empty() && !std::filesystem::is_directory(parent, ignored))
            return CFileException::badPath;
    }
    return FileCauseFromErrno(error);
}

} // namespace

IMPLEMENT_DYNAMIC(CFile, CObject)

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : CFile()
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::IsOpen() const
{
    return m_hFile != hFileNull;
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    auto fail = [&](int cause, int osError) {
        if (pError != nullptr) {
            pError->m_cause = cause;
            pError->m_lOsError = osError;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    };
    if (lpszFileName == nullptr || *lpszFileName == '\0')
        return fail(CFileException::badPath, EINVAL);

    const std::string nativePath = orbel::ToNativePath(lpszFileName);
    int flags = O_CLOEXEC;
    switch (nOpenFlags & 3) {
    case modeWrite: flags |= O_WRONLY; break;
    case modeReadWrite: flags |= O_RDWR; break;
    default: flags |= O_RDONLY; break;
    }
    if (nOpenFlags & modeCreate)
        flags |= O_CREAT | ((nOpenFlags & modeNoTruncate) ? 0 : O_TRUNC);

    int fd;
    do {
        fd = ::open(nativePath.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        return fail(OpenFailureCause(error, nativePath), error);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return fail(CFileException::accessDenied, EISDIR);
    }
    m_hFile = fd;
    m_bCloseOnDelete = TRUE;
    m_strFileName = orbel::ToProgramPath(FullNativePath(nativePath)).c_str();
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    auto* out = static_cast<char*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        const ssize_t n = ::read(m_hFile, out + done, std::min<std::size_t>(nCount - done, SSIZE_MAX));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            AfxThrowFileException(FileCauseFromErrno(error), error, m_strFileName);
        }
        if (n == 0)
            break;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    const auto* in = static_cast<const char*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        const ssize_t n = ::write(m_hFile, in + done, std::min<std::size_t>(nCount - done, SSIZE_MAX));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            AfxThrowFileException(FileCauseFromErrno(error), error, m_strFileName);
        }
        if (n == 0)
            AfxThrowFileException(CFileException::diskFull, ENOSPC, m_strFileName);
        done += static_cast<UINT>(n);
    }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    const int whence = nFrom == current ? SEEK_CUR : nFrom == end ? SEEK_END : SEEK_SET;
    const off_t position = ::lseek(m_hFile, static_cast<off_t>(lOff), whence);
    if (position < 0) {
        const int error = errno;
        AfxThrowFileException(error == EINVAL ? CFileException::badSeek : FileCauseFromErrno(error), error,
                              m_strFileName);
    }
    return static_cast<ULONGLONG>(position);
}

void CFile::SeekToBegin()
{
    Seek(0, begin);
}

ULONGLONG CFile::SeekToEnd()
{
    return Seek(0, end);
}

ULONGLONG CFile::GetLength() const
{
    struct stat st {};
    if (::fstat(m_hFile, &st) != 0) {
        const int error = errno;
        AfxThrowFileException(FileCauseFromErrno(error), error, m_strFileName);
    }
    return static_cast<ULONGLONG>(st.st_size);
}

ULONGLONG CFile::GetPosition() const
{
    const off_t position = ::lseek(m_hFile, 0, SEEK_CUR);
    if (position < 0) {
        const int error = errno;
        AfxThrowFileException(FileCauseFromErrno(error), error, m_strFileName);
    }
    return static_cast<ULONGLONG>(position);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (::fsync(m_hFile) != 0 && errno != EINVAL && errno != EROFS) {
        const int error = errno;
        AfxThrowFileException(FileCauseFromErrno(error), error, m_strFileName);
    }
}

void CFile::Close()
{
    if (m_hFile == hFileNull)
        return;
    const int fd = m_hFile;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (::close(fd) != 0 && errno != EINTR) {
        const int error = errno;
        AfxThrowFileException(FileCauseFromErrno(error), error, m_strFileName);
    }
}

void CFile::Abort()
{
    if (m_hFile == hFileNull)
        return;
    ::close(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

CString CFile::GetFileName() const
{
    return m_strFileName.Mid(m_strFileName.ReverseFind('\\') + 1);
}

CString CFile::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

void CFile::Remove(LPCTSTR lpszFileName)
{
    const std::string path = orbel::ToNativePath(lpszFileName);
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        AfxThrowFileException(CFileException::accessDenied, EISDIR, lpszFileName);
    if (::unlink(path.c_str()) != 0) {
        const int error = errno;
        AfxThrowFileException(OpenFailureCause(error, path), error, lpszFileName);
    }
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (std::rename(orbel::ToNativePath(lpszOldName).c_str(), orbel::ToNativePath(lpszNewName).c_str()) != 0) {
        const int error = errno;
        AfxThrowFileException(FileCauseFromErrno(error), error, lpszOldName);
    }
}
