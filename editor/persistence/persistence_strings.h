// String-table numbers of the texts that opening, saving and the close question use.
#pragma once

#include "platform/win.h"

constexpr UINT kStrUntitled = 4002;          // "(Untitled)"
constexpr UINT kStrSaveChanges = 4003;       // "Save changes to %s?"
constexpr UINT kStrProfileSection = 4009;    // "application"
constexpr UINT kStrProfileDefLib = 4010;     // "DefLib"
constexpr UINT kStrReplaceExisting = 4011;   // "Replace existing %s?"
constexpr UINT kStrSaveFailed = 4012;        // "Save of structure failed."
constexpr UINT kStrGlobalHeader = 4013;      // "global type %s from structure\r\n"
constexpr UINT kStrEndType = 4014;           // "end type"
constexpr UINT kStrLocalHeader = 4015;       // "type %s from structure\r\n"
constexpr UINT kStrLibraryAndName = 4017;    // "\n%s(%s)"
constexpr UINT kStrLoadError = 4020;         // "Error loading structure %s."
constexpr UINT kStrOpenCaption = 4021;       // "Open Structure"
constexpr UINT kStrSavingStatus = 4034;      // "Saving Structure . . ."
constexpr UINT kStrOpeningStatus = 4035;     // "Opening Structure . . ."
constexpr UINT kStrDecimal = 4307;           // "decimal"
constexpr UINT kStrPrintCaption = 4338;      // "Print"
constexpr UINT kStrPrintQuestion = 4339;     // "The structure must be saved prior to printing.\n..."
// Not in the module's table on purpose: the host shows its idle text for it.
constexpr int kStatusReady = 150;
