#include <framework/FailureReport.h>

#include <cstdio>
#include <utility>

namespace orbel {
namespace {

FailureReporter& Reporter()
{
    static FailureReporter reporter;
    return reporter;
}

} // namespace

FailureReporter SetFailureReporter(FailureReporter reporter)
{
    return std::exchange(Reporter(), std::move(reporter));
}

int ReportFailure(LPCTSTR text, UINT type)
{
    if (Reporter())
        return Reporter()(text != nullptr ? text : "", type);
    std::fprintf(stderr, "%s\n", text != nullptr ? text : "");
    return IDOK;
}

} // namespace orbel
