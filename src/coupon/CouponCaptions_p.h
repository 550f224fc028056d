#pragma once
// Message numbers of the coupon screen's own captions.

namespace CouponCaptions {
constexpr int Title = 2271;
constexpr int MessageTitle = 1969;
constexpr int DeductionCoupons = 5053;
constexpr int ExchangeCoupons = 7203;
constexpr int Search = 7200;
constexpr int CodePlaceholder = 7201;
constexpr int UseCoupons = 7202;
constexpr int Finish = 1492;
constexpr int ChannelNextPage = 7035;
constexpr int PreviousRow = 7020;
constexpr int NextRow = 7021;
constexpr int PackConfirm = 1259;
constexpr int Total = 7025;
constexpr int Deduction = 1548;
constexpr int Payable = 7024;
constexpr int CaptionWithKey = 7207; // "caption【key】"
constexpr int TitleWithKeys = 7208;  // the title and the close key
constexpr int WeighKey = 7209;
constexpr int ListKeys = 7210;        // the coupon list's keys (deduction mode)
constexpr int ListSwitchKey = 7211;   // Tab (exchange mode: the arrows are on their keys)
constexpr int CaptionOverKey = 7212;  // "caption", a line break, "【key】"
} // namespace CouponCaptions
