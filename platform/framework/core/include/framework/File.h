// CFile: unbuffered binary file access. Names may use "\" as separator and
// are matched case-insensitively where the exact spelling does not exist.
// Failures raise CFileException, except in Open, which reports them through
// its optional exception record and returns FALSE.
//
// Left out: share modes and locking (accepted, not enforced: two CFiles may
// open one file), typeText line-end translation, CStdioFile, CMemFile,
// GetStatus and SetStatus, duplicate handles.
#pragma once

#include <framework/CString.h>
#include <framework/Exceptions.h>
#include <framework/Object.h>

class ORBEL_API CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x00000,
        modeWrite = 0x00001,
        modeReadWrite = 0x00002,
        shareCompat = 0x00000,
        shareExclusive = 0x00010,
        shareDenyWrite = 0x00020,
        shareDenyRead = 0x00030,
        shareDenyNone = 0x00040,
        modeNoInherit = 0x00080,
        modeCreate = 0x01000,
        modeNoTruncate = 0x02000,
        typeText = 0x04000,
        typeBinary = 0x08000
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    CFile();
    // Opens the file or throws CFileException.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    // Closes the file if it is still open; errors are ignored here.
    ~CFile() override;

    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    virtual UINT Read(void* lpBuf, UINT nCount);  // bytes read; fewer only at the end of the file
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin();
    ULONGLONG SeekToEnd();
    virtual ULONGLONG GetLength() const;
    virtual ULONGLONG GetPosition() const;
    virtual void Flush();
    virtual void Close();
    virtual void Abort();  // closes without raising anything

    // The name part (after the last "\"), the full path and the name without extension.
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    virtual CString GetFileTitle() const;

    BOOL IsOpen() const;

    static void Remove(LPCTSTR lpszFileName);
    static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);

    static const int hFileNull = -1;

protected:
    int m_hFile;  // the native descriptor, hFileNull while closed
    BOOL m_bCloseOnDelete;
    CString m_strFileName;  // full path in the program's form
};
