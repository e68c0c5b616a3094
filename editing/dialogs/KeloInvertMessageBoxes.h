#pragma once

#include "KeloInversion.h"

class QWidget;

/// Puts the questions of an inversion to the planner in the program's message boxes.
class KeloInvertMessageBoxesClass : public KeloInvertQuestionsClass {
public:
    explicit KeloInvertMessageBoxesClass(QWidget* parent) : parent(parent) {}
    bool AskAddMissingData() override;
    void ShowDatabaseMaintenanceNeeded() override;
    void ShowMissingArrival(const std::string& stopName) override;

private:
    QWidget* parent;
};
