#pragma once

#include <array>

#include "talents/TalentSlots.h"

namespace kelvane {

// The object names of one slot's controls.
struct SlotNames {
    const char* Talent;     // the talent field
    const char* ReqTalent;  // the required-talent field
    const char* ReqRank;    // the "Req. N" field
    const char* Ranks;      // the "S" button
    const char* Commit;     // the "OK" button
};

// Slots 1 to 28 at indexes 0 to 27. The field numbers are irregular: from slot 6 on, every
// second slot has its required-talent field numbered before its talent field.
inline constexpr std::array<SlotNames, SlotCount> SlotNameTable{{
    {"Edit1", "Edit2", "tp1", "t1", "SpeedButton2"},
    {"Edit3", "Edit4", "tp2", "t2", "SpeedButton3"},
    {"Edit5", "Edit6", "tp3", "t3", "SpeedButton4"},
    {"Edit7", "Edit8", "tp4", "t4", "SpeedButton5"},
    {"Edit9", "Edit10", "tp5", "t5", "SpeedButton6"},
    {"Edit12", "Edit11", "tp6", "t6", "SpeedButton7"},
    {"Edit13", "Edit14", "tp7", "t7", "SpeedButton8"},
    {"Edit16", "Edit15", "tp8", "t8", "SpeedButton9"},
    {"Edit17", "Edit18", "tp9", "t9", "SpeedButton10"},
    {"Edit20", "Edit19", "tp10", "t10", "SpeedButton11"},
    {"Edit21", "Edit22", "tp11", "t11", "SpeedButton12"},
    {"Edit24", "Edit23", "tp12", "t12", "SpeedButton13"},
    {"Edit25", "Edit26", "tp13", "t13", "SpeedButton14"},
    {"Edit28", "Edit27", "tp14", "t14", "SpeedButton15"},
    {"Edit29", "Edit30", "tp15", "t15", "SpeedButton16"},
    {"Edit32", "Edit31", "tp16", "t16", "SpeedButton17"},
    {"Edit33", "Edit34", "tp17", "t17", "SpeedButton18"},
    {"Edit36", "Edit35", "tp18", "t18", "SpeedButton19"},
    {"Edit37", "Edit38", "tp19", "t19", "SpeedButton20"},
    {"Edit40", "Edit39", "tp20", "t20", "SpeedButton21"},
    {"Edit41", "Edit42", "tp21", "t21", "SpeedButton22"},
    {"Edit44", "Edit43", "tp22", "t22", "SpeedButton23"},
    {"Edit45", "Edit46", "tp23", "t23", "SpeedButton24"},
    {"Edit48", "Edit47", "tp24", "t24", "SpeedButton25"},
    {"Edit49", "Edit50", "tp25", "t25", "SpeedButton26"},
    {"Edit52", "Edit51", "tp26", "t26", "SpeedButton27"},
    {"Edit53", "Edit54", "tp27", "t27", "SpeedButton28"},
    {"Edit56", "Edit55", "tp28", "t28", "SpeedButton29"},
}};

}  // namespace kelvane
