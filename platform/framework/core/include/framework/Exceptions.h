// The framework's exceptions. They are thrown as pointers and deleted by the
// handler that deals with them:
//     try { ... } catch (CException* e) { e->ReportError(); e->Delete(); }
//
// Left out: the TRY/CATCH macros, COleException, CResourceException,
// CNotSupportedException and help contexts (pnHelpContext stays as given).
#pragma once

#include <framework/CString.h>
#include <framework/Object.h>
#include <win32/MessageBoxCodes.h>

class ORBEL_API CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException();
    ~CException() override;

    // Frees the exception; every handler that catches one calls it once.
    void Delete();
    // Copies a readable description (terminated, truncated to nMaxError - 1
    // bytes); FALSE when there is none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;
    // Shows the description (or, without one, string resource nMessageID)
    // through the failure reporter and returns the answer.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) const;
};

class ORBEL_API CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

// Raised to end an operation whose failure the user has already been told about.
class ORBEL_API CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
};

class ORBEL_API CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
        generic = genericException
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszArchiveName = nullptr);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class ORBEL_API CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        generic = genericException
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] ORBEL_API void AfxThrowMemoryException();
[[noreturn]] ORBEL_API void AfxThrowUserException();
[[noreturn]] ORBEL_API void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
[[noreturn]] ORBEL_API void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
