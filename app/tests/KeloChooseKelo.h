#pragma once

#include "TKeloSimpleKeloDataSetViewForm.h"

#include <string>

// Picks the row of `number` in the kelo choice and presses Ok.
inline void ChooseKelo(TKeloSimpleKeloDataSetViewForm* choice, const std::string& number) {
    for (int i = 0; i < choice->RowCount(); ++i)
        if (choice->Row(i)->CaptionBytes() == number) {
            choice->SelectRow(i);
            break;
        }
    choice->accept();
}
