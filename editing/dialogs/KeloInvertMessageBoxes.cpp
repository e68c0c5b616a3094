#include "KeloInvertMessageBoxes.h"

#include "KeloMessageBoxes.h"
#include "KeloQtText.h"
#include "TKeloMessageModule.h"

bool KeloInvertMessageBoxesClass::AskAddMissingData() {
    return KeloAskYesNo(KeloSharedMessage(TKeloMessageModule::NotEnoughDataQuestion), parent);
}

void KeloInvertMessageBoxesClass::ShowDatabaseMaintenanceNeeded() {
    KeloShowInformation(KeloSharedMessage(TKeloMessageModule::RegulationNotice), parent);
}

void KeloInvertMessageBoxesClass::ShowMissingArrival(const std::string& stopName) {
    KeloShowError(QString::fromUtf8("Рейс нельзя инвертировать: у остановки «%1» не задано время "
                                    "прибытия. Задайте его в расписании рейса.")
                      .arg(KeloToQString(stopName)),
                  parent);
}
