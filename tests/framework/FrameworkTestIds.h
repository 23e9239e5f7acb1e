// Resource ids of the framework tests' own templates, clear of those in res/resource.h.
#pragma once

#define IDD_TEST_PLAIN          901
#define IDD_TEST_OWNER_DRAWN    902
#define IDD_TEST_MISSING        999

#define IDC_TEST_TEXT           9001
#define IDC_TEST_EDIT           9002
#define IDC_TEST_LIST           9003

// A message of the test's own message table.
#define TEST_MESSAGE_ID         0x20001234L  // L: a 32-bit value in the resource script
