#include "transfer/OverwritePolicy.h"

OverwriteDecision OverwritePolicy::Decide(const std::function<OverwriteChoice()>& ask)
{
    if (m_forAll)
        return *m_forAll;
    switch (ask()) {
    case OverwriteChoice::kReplaceAll:
        m_forAll = OverwriteDecision::kTransfer;
        return OverwriteDecision::kTransfer;
    case OverwriteChoice::kReplace:
        return OverwriteDecision::kTransfer;
    case OverwriteChoice::kSkipAll:
        m_forAll = OverwriteDecision::kSkip;
        return OverwriteDecision::kSkip;
    case OverwriteChoice::kSkip:
        return OverwriteDecision::kSkip;
    case OverwriteChoice::kCancel:
        break;
    }
    return OverwriteDecision::kStop;
}
