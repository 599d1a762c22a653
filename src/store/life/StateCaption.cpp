#include "store/life/StateCaption.h"

namespace store::life {

namespace {
constexpr std::string_view kCaptions[] = {"草稿", "已發出", "已接受", "已婉拒", "已作廢", "已過期"};
}

std::string_view StateCaption(QuotationState state) { return kCaptions[static_cast<int>(state)]; }

std::string RefusedChange(QuotationState from, QuotationState to) {
  return "報價單目前是「" + std::string(StateCaption(from)) + "」，不能改為「" +
         std::string(StateCaption(to)) + "」。";
}

std::string RefusedEdit(QuotationState state) {
  if (state == QuotationState::Cancelled) return "報價單已作廢，不能修改。";
  return "報價單" + std::string(StateCaption(state)) + "，不能修改；要修改請先復原為「已發出」。";
}

}  // namespace store::life
