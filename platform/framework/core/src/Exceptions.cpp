#include <framework/Exceptions.h>

#include <win32/Paths.h>
#include <framework/FailureReport.h>

#include <algorithm>
#include <cstring>

namespace {

BOOL CopyMessage(const CString& text, LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext)
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(text.GetLength()), nMaxError - 1);
    std::memcpy(lpszError, static_cast<LPCTSTR>(text), n);
    lpszError[n] = '\0';
    return TRUE;
}

// Users read paths in the system's own form.
CString Quoted(const CString& fileName)
{
    return fileName.IsEmpty() ? CString("the file")
                              : "\"" + CString(orbel::ToNativePath(fileName.GetString()).c_str()) + "\"";
}

} // namespace

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

CException::CException() = default;

CException::~CException() = default;

void CException::Delete()
{
    delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError != nullptr && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) const
{
    char message[1024];
    if (GetErrorMessage(message, sizeof message))
        return orbel::ReportFailure(message, nType);
    CString fallback;
    if (nMessageID == 0 || !fallback.LoadString(nMessageID))
        fallback = "An unexpected error occurred.";
    return orbel::ReportFailure(fallback, nType);
}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    return CopyMessage("There is not enough memory to complete the operation.", lpszError, nMaxError, pnHelpContext);
}

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    const CString name = Quoted(m_strFileName);
    CString text;
    switch (m_cause) {
    case none: text = "No error occurred."; break;
    case fileNotFound: text = "Could not find " + name + "."; break;
    case badPath: text = "The path of " + name + " is not valid."; break;
    case tooManyOpenFiles: text = "Could not open " + name + ": too many files are open."; break;
    case accessDenied: text = "Access to " + name + " was denied."; break;
    case invalidFile: text = "The file handle used for " + name + " is not valid."; break;
    case removeCurrentDir: text = "Could not remove " + name + ": it is the current folder."; break;
    case directoryFull: text = "Could not create " + name + ": the folder is full."; break;
    case badSeek: text = "Could not move to the requested position in " + name + "."; break;
    case hardIO: text = "A device error occurred while accessing " + name + "."; break;
    case sharingViolation: text = name + " is in use."; break;
    case lockViolation: text = "A locked region of " + name + " was accessed."; break;
    case diskFull: text = "The disk is full; " + name + " could not be written."; break;
    case endOfFile: text = "Tried to read past the end of " + name + "."; break;
    default: text = "An error occurred while accessing " + name + "."; break;
    }
    return CopyMessage(text, lpszError, nMaxError, pnHelpContext);
}

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    const CString name = Quoted(m_strFileName);
    CString text;
    switch (m_cause) {
    case none: text = "No error occurred."; break;
    case readOnly: text = "Tried to write to " + name + ", which is open for reading."; break;
    case endOfFile: text = name + " ended unexpectedly: it is incomplete or damaged."; break;
    case writeOnly: text = "Tried to read from " + name + ", which is open for writing."; break;
    case badIndex: text = name + " has an unexpected format or damaged contents."; break;
    case badClass: text = name + " holds an object of an unexpected kind."; break;
    case badSchema: text = name + " holds data of an unsupported version."; break;
    default: text = "An unexpected error occurred while reading or writing " + name + "."; break;
    }
    return CopyMessage(text, lpszError, nMaxError, pnHelpContext);
}

void AfxThrowMemoryException()
{
    throw new CMemoryException;
}

void AfxThrowUserException()
{
    throw new CUserException;
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
