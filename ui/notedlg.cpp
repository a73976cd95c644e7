#include "ui/notedlg.h"

#include "cardstore/categories.h"
#include "res/resource.h"

CNoteDlg::CNoteDlg(QWidget* pParent) : CDialog(IDD_NOTE, pParent) {}

CNoteDlg::~CNoteDlg() = default;

bool CNoteDlg::OnInitDialog() {
    // What is typed must fit the card file's note field, so no save can fail for length.
    SetLimitText(IDC_NOTE_TEXT, MAX_NOTE_TEXT);
    return CDialog::OnInitDialog();
}

void CNoteDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NOTE_TEXT, m_strNote);
}
