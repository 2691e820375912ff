// CCmdTarget: the base of every class that receives commands.
#pragma once

#include <framework/Object.h>

class ORBEL_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;
};
