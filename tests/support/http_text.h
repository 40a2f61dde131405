#pragma once
// Text handling of the loopback test server: parsing request heads and writing response heads.
#include <cstddef>
#include <string>
#include <string_view>

#include "support/http_test_server.h"

namespace testing_support {

bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// The request line and header lines (each ended by CR LF, without the empty line).
RecordedRequest ParseRequestHead(const std::string& head);

// The Content-Length of a request, 0 when absent or not a number.
size_t ContentLengthOf(const RecordedRequest& request);

// Status line, the scripted headers, Content-Length and Connection: close where they apply, empty line.
std::string BuildResponseHead(const Response& response, bool closeAfter);

}  // namespace testing_support
