#include "orbel/panels/DialogRender.h"

#include "orbel/resources/Resource.h"

IMPLEMENT_DYNAMIC(cDialogRender, CDialog)

BEGIN_MESSAGE_MAP(cDialogRender, CDialog)
    ON_BN_CLICKED(IDC_RENDER_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_SIZE_320X240, OnSize320x240)
    ON_BN_CLICKED(IDC_SIZE_640X480, OnSize640x480)
    ON_BN_CLICKED(IDC_SIZE_800X600, OnSize800x600)
    ON_BN_CLICKED(IDC_SIZE_1024X768, OnSize1024x768)
    ON_BN_CLICKED(IDC_SIZE_1280X1024, OnSize1280x1024)
    ON_BN_CLICKED(IDC_SIZE_1600X1200, OnSize1600x1200)
END_MESSAGE_MAP()

cDialogRender::cDialogRender(CWnd* parent)
    : CDialog(IDD_RENDER, parent)
{
}

void cDialogRender::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_RENDER_FILE_NAME, m_FileName);
    DDX_Text(exchange, IDC_RENDER_WIDTH, m_Width);
    DDV_MinMaxInt(exchange, m_Width, 0, kMaxImageSize);
    DDX_Text(exchange, IDC_RENDER_HEIGHT, m_Height);
    DDV_MinMaxInt(exchange, m_Height, 0, kMaxImageSize);
}

void cDialogRender::OnBrowse()
{
    // No flags: a name that does not exist yet can be chosen.
    CFileDialog dialog(TRUE, nullptr, nullptr, 0, "BMP Image File (*.bmp)|*.bmp|All Files (*.*)|*.*||", nullptr);
    if (dialog.DoModal() != IDOK) return;
    m_FileName = dialog.GetPathName();
    UpdateData(FALSE);
}

void cDialogRender::SetSize(int width, int height)
{
    m_Width = width;
    m_Height = height;
    UpdateData(FALSE);
}

void cDialogRender::OnSize320x240() { SetSize(320, 240); }
void cDialogRender::OnSize640x480() { SetSize(640, 480); }
void cDialogRender::OnSize800x600() { SetSize(800, 600); }
void cDialogRender::OnSize1024x768() { SetSize(1024, 768); }
void cDialogRender::OnSize1280x1024() { SetSize(1280, 1024); }
void cDialogRender::OnSize1600x1200() { SetSize(1600, 1200); }
