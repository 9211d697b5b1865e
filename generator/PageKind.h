#pragma once
// The kinds of page: today's table, or the library page, which opens long lists at once and
// searches and sorts them.

enum class PageKind { Plain, Library };

// Browsers take seconds to open a plain page of more files than this; the library page does not.
constexpr unsigned long long PlainPageFilesAdvised = 10000;
