// CCmdTarget: the base of every class that receives commands.
//
// Left out: OLE dispatch maps, event sinks and automation.
#pragma once

#include <framework/MessageMap.h>
#include <framework/Object.h>

class ORBEL_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Routes a command (nCode CN_COMMAND), an update handler
    // (CN_UPDATE_COMMAND_UI, pExtra a CCmdUI*) or a control notification to
    // this object's message map. Derived classes route further (view ->
    // document, frame -> view and application). TRUE: handled.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    DECLARE_ROOT_MESSAGE_MAP()
};
