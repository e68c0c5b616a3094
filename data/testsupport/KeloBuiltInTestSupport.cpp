#include "KeloBuiltInTestSupport.h"

#include "KeloDemoDataClass.h"

const KeloBusiestLineType& BusiestBuiltInLine() {
    static const KeloBusiestLineType busiest = [] {
        KeloBusiestLineType best;
        KeloDataPtrClass all = MakeBuiltInSource();
        KeloKeloSetPtrClass kelos = all->GetKeloSet();
        for (std::int32_t i = 0; i < kelos->GetCount(); ++i) {
            const std::string number = kelos->GetItem(i)->GetNumber();
            std::vector<std::string> line = KeloLineOf(all, number);
            const std::int32_t offered = MakeBuiltInSource(line)->GetKeloSet()->GetCount();
            if (offered > best.keloCount)
                best = {number, std::move(line), offered};
        }
        return best;
    }();
    return busiest;
}

std::string BusiestBuiltInKelo() {
    return BusiestBuiltInLine().number;
}

std::vector<std::string> BuiltInLineOf(const std::string& number) {
    return KeloLineOf(MakeBuiltInSource(), number);
}
