#pragma once

#include <string>
#include <string_view>

#include "store/life/QuotationState.h"

namespace store::life {

// What the user sees for a state: "草稿", "已發出", "已接受", "已婉拒", "已作廢", "已過期".
std::string_view StateCaption(QuotationState state);
inline constexpr const char* kSupersededCaption = "已被取代";

// Why a change is refused, in the user's words.
std::string RefusedChange(QuotationState from, QuotationState to);
inline constexpr const char* kDeclineNeedsReason = "婉拒報價單時請寫明原因。";
inline constexpr const char* kOnlyDraftIssues = "只有草稿可以發出；已發出的報價單請直接重印。";
inline constexpr const char* kIssuedNotDeleted = "報價單已經發出過，不能刪除；不再需要時請作廢。";
inline constexpr const char* kNoSuchQuotation = "找不到這張報價單，可能已被其他使用者刪除。";
std::string RefusedEdit(QuotationState state);

}  // namespace store::life
