// The request object wrapper: its calls through IDispatch (against a recording object), and
// the real "WinHttp.WinHttpRequest.5.1" against a loopback server.
#include "platform/win32/http_request_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/code_page.h"
#include "platform/win32/com_util.h"
#include "sync/clock_correction.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_shell.h"
#include "tests/windows/loopback_http_server.h"

namespace tessivo {
namespace {

using testing::LoopbackHttpServer;
using testing::RequestLine;

// ---------------------------------------------------------------------------------------------
// The calls the wrapper makes, seen by an object that records them

std::string Narrow(std::wstring_view text) { return win32::WideToCodePage(CP_ACP, text); }

std::string DescribeArgument(const VARIANT& value) {
  switch (value.vt) {
    case VT_I4: return "I4 " + std::to_string(value.lVal);
    case VT_BOOL: return "BOOL " + std::to_string(value.boolVal);
    case VT_BSTR: return "BSTR " + Narrow({value.bstrVal, ::SysStringLen(value.bstrVal)});
    default: return "VT " + std::to_string(value.vt);
  }
}

// Answers to any member name and notes each call as one line, e.g.
// "put Option(I4 6, I4 0)", arguments in declaration order.
class RecordingDispatch final : public IDispatch {
 public:
  std::vector<std::string> calls;
  // Members whose name lookup fails, and members whose calls fail from the n-th one (1-based).
  std::vector<std::wstring> unknownNames;
  std::map<std::wstring, int> failFromCall;
  // What GetResponseHeader answers.
  win32::Variant header;
  ULONG references = 1;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  // Owned by the test, never deleted here.
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (iid != IID_NULL || count != 1) return E_INVALIDARG;
    for (const auto& unknown : unknownNames) {
      if (unknown == names[0]) return DISP_E_UNKNOWNNAME;
    }
    for (std::size_t i = 0; i < members_.size(); ++i) {
      if (members_[i] == names[0]) {
        ids[0] = static_cast<DISPID>(i + 1);
        return S_OK;
      }
    }
    members_.emplace_back(names[0]);
    ids[0] = static_cast<DISPID>(members_.size());
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    if (iid != IID_NULL || id < 1 || static_cast<std::size_t>(id) > members_.size()) {
      return DISP_E_MEMBERNOTFOUND;
    }
    const std::wstring& name = members_[static_cast<std::size_t>(id - 1)];
    std::string call;
    if (flags == DISPATCH_PROPERTYPUT) {
      const bool namedValue =
          params->cNamedArgs == 1 && params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
      call = namedValue ? "put " : "put without DISPID_PROPERTYPUT ";
    } else if (flags != DISPATCH_METHOD || params->cNamedArgs != 0) {
      call = "flags " + std::to_string(flags) + " ";
    }
    call += Narrow(name) + "(";
    // rgvarg holds the last argument first.
    for (UINT i = params->cArgs; i-- > 0;) {
      call += DescribeArgument(params->rgvarg[i]);
      if (i > 0) call += ", ";
    }
    call += ")";
    calls.push_back(call);

    const auto fail = failFromCall.find(name);
    if (fail != failFromCall.end() && ++callCounts_[name] >= fail->second) return E_FAIL;
    if (name == L"GetResponseHeader" && result != nullptr) {
      return ::VariantCopy(result, &header.Get());
    }
    return S_OK;
  }

 private:
  std::vector<std::wstring> members_;
  std::map<std::wstring, int> callCounts_;
};

constexpr char kUrl[] = "http://127.0.0.1/123.123";

// The calls of one clock correction, in its order; what each returned.
struct Outcome {
  bool setTimeouts;
  bool putOption;
  bool open;
  bool send;
  std::string header;
};

Outcome RunCorrectionCalls(HttpRequest& request) {
  Outcome outcome;
  outcome.setTimeouts = request.SetTimeouts(5000, 5000, 10000, 5000);
  outcome.putOption = request.PutOption(kHttpOptionEnableRedirects, 0);
  outcome.open = request.Open("HEAD", kUrl, false);
  outcome.send = request.Send();
  outcome.header = request.GetResponseHeader("Date");
  return outcome;
}

const std::string kSetTimeoutsCall = "SetTimeouts(I4 5000, I4 5000, I4 10000, I4 5000)";
const std::string kPutOptionCall = "put Option(I4 6, I4 0)";
const std::string kOpenCall = "open(BSTR HEAD, BSTR http://127.0.0.1/123.123, BOOL 0)";
const std::string kSendCall = "send()";
const std::string kGetDateCall = "GetResponseHeader(BSTR Date)";

class WinHttpRequestCalls : public ::testing::Test {
 protected:
  void SetUp() override { object_.header = Header(L"Fri, 16 Mar 2012 07:30:00 GMT"); }
  static win32::Variant Header(const wchar_t* text) {
    return win32::Variant::String(win32::Bstr::FromWide(text));
  }

  RecordingDispatch object_;
};

TEST_F(WinHttpRequestCalls, SettingsAreSetAgainRightAfterOpen) {
  {
    win32::WinHttpRequest request(&object_);
    const Outcome outcome = RunCorrectionCalls(request);
    EXPECT_TRUE(outcome.setTimeouts && outcome.putOption && outcome.open && outcome.send);
    EXPECT_EQ(outcome.header, "Fri, 16 Mar 2012 07:30:00 GMT");
  }
  EXPECT_EQ(object_.calls,
            (std::vector<std::string>{kSetTimeoutsCall, kPutOptionCall, kOpenCall, kSetTimeoutsCall,
                                      kPutOptionCall, kSendCall, kGetDateCall}));
  EXPECT_EQ(object_.references, 1u) << "the wrapper must release the object";
}

TEST_F(WinHttpRequestCalls, OpenSetsTheLatestValueOfEachOptionAgain) {
  win32::WinHttpRequest request(&object_);
  ASSERT_TRUE(request.Open("GET", "http://h/", true));
  EXPECT_EQ(object_.calls, (std::vector<std::string>{"open(BSTR GET, BSTR http://h/, BOOL -1)"}))
      << "nothing was set before: nothing to set again";
  ASSERT_TRUE(request.SetTimeouts(1, 2, 3, 4));
  ASSERT_TRUE(request.SetTimeouts(-1, 0, 2147483647, -2147483647 - 1));
  ASSERT_TRUE(request.PutOption(6, 0));
  ASSERT_TRUE(request.PutOption(4, 13056));
  ASSERT_TRUE(request.PutOption(6, -1));
  object_.calls.clear();
  ASSERT_TRUE(request.Open("HEAD", "http://h/", true));
  EXPECT_EQ(object_.calls, (std::vector<std::string>{
                               "open(BSTR HEAD, BSTR http://h/, BOOL -1)",
                               "SetTimeouts(I4 -1, I4 0, I4 2147483647, I4 -2147483648)",
                               "put Option(I4 6, I4 -1)",
                               "put Option(I4 4, I4 13056)",
                           }));
}

TEST_F(WinHttpRequestCalls, AFailedCallIsReportedAndNothingIsSetAgainThatDidNotTake) {
  struct Case {
    const char* what;
    const wchar_t* unknownName;  // a member whose name lookup fails, or null
    const wchar_t* failing;      // a member whose calls fail from the `failFrom`-th one, or null
    int failFrom;
    // What the five calls return: SetTimeouts, PutOption, Open, Send, and the header.
    bool setTimeouts, putOption, open, send;
    const char* header;
    std::vector<std::string> calls;
  };
  const std::vector<Case> cases = {
      {"time-outs refused", nullptr, L"SetTimeouts", 1, false, true, true, true, "D",
       {kSetTimeoutsCall, kPutOptionCall, kOpenCall, kPutOptionCall, kSendCall, kGetDateCall}},
      {"no Option member", L"Option", nullptr, 0, true, false, true, true, "D",
       {kSetTimeoutsCall, kOpenCall, kSetTimeoutsCall, kSendCall, kGetDateCall}},
      {"open refused", nullptr, L"open", 1, true, true, false, true, "D",
       {kSetTimeoutsCall, kPutOptionCall, kOpenCall, kSendCall, kGetDateCall}},
      {"time-outs refused after open", nullptr, L"SetTimeouts", 2, true, true, false, true, "D",
       {kSetTimeoutsCall, kPutOptionCall, kOpenCall, kSetTimeoutsCall, kSendCall, kGetDateCall}},
      {"option refused after open", nullptr, L"Option", 2, true, true, false, true, "D",
       {kSetTimeoutsCall, kPutOptionCall, kOpenCall, kSetTimeoutsCall, kPutOptionCall, kSendCall,
        kGetDateCall}},
      {"send refused", nullptr, L"send", 1, true, true, true, false, "D",
       {kSetTimeoutsCall, kPutOptionCall, kOpenCall, kSetTimeoutsCall, kPutOptionCall, kSendCall,
        kGetDateCall}},
      {"header refused", nullptr, L"GetResponseHeader", 1, true, true, true, true, "",
       {kSetTimeoutsCall, kPutOptionCall, kOpenCall, kSetTimeoutsCall, kPutOptionCall, kSendCall,
        kGetDateCall}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingDispatch object;
    if (c.unknownName != nullptr) object.unknownNames.push_back(c.unknownName);
    if (c.failing != nullptr) object.failFromCall[c.failing] = c.failFrom;
    object.header = Header(L"D");
    win32::WinHttpRequest request(&object);
    const Outcome outcome = RunCorrectionCalls(request);
    EXPECT_EQ(outcome.setTimeouts, c.setTimeouts);
    EXPECT_EQ(outcome.putOption, c.putOption);
    EXPECT_EQ(outcome.open, c.open);
    EXPECT_EQ(outcome.send, c.send);
    EXPECT_EQ(outcome.header, c.header);
    EXPECT_EQ(object.calls, c.calls);
  }
}

TEST_F(WinHttpRequestCalls, HeaderValuesOfEveryTypeBecomeText) {
  ASSERT_EQ(::GetACP(), 936u) << "the test expects the system code page of its wrapper script";
  auto i4 = [](LONG value) { return win32::Variant::Int32(value); };
  auto ofType = [](VARTYPE type) {
    win32::Variant value;
    value.Receive()->vt = type;  // VT_EMPTY, VT_NULL, a null VT_DISPATCH: no payload to free
    return value;
  };
  struct Case {
    const char* what;
    win32::Variant value;
    std::string text;
  };
  Case cases[] = {
      {"string", Header(L"Fri, 16 Mar 2012 07:30:00 GMT"), "Fri, 16 Mar 2012 07:30:00 GMT"},
      {"string of the system code page", Header(L"星期五"), "星期五"},
      {"character the code page lacks", Header(L"a\u0e01b"), "a?b"},
      {"string whose length counts its terminator, as Wine's object answers",
       win32::Variant::String(win32::Bstr::FromWide({L"Fri, 16 Mar 2012 07:30:00 GMT", 30})),
       "Fri, 16 Mar 2012 07:30:00 GMT"},
      {"null string", win32::Variant::String(win32::Bstr()), ""},
      {"number", i4(-42), "-42"},
      {"empty", ofType(VT_EMPTY), ""},
      {"null", ofType(VT_NULL), ""},
      {"null object", ofType(VT_DISPATCH), ""},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingDispatch object;
    object.header = std::move(c.value);
    win32::WinHttpRequest request(&object);
    EXPECT_EQ(request.GetResponseHeader("Date"), c.text);
  }
}

// ---------------------------------------------------------------------------------------------
// The real request object against a loopback server

constexpr char kDate[] = "Fri, 16 Mar 2012 07:30:00 GMT";

std::unique_ptr<HttpRequest> CreateRequest() {
  win32::WinHttpRequestFactory factory;
  return factory.Create();
}

TEST(WinHttpRequestObject, AnswersOneHeadRequestWithoutFollowingRedirects) {
  struct Case {
    const char* what;
    std::string reply;
    std::string header;
  };
  const Case cases[] = {
      {"200 with Date",
       "HTTP/1.1 200 OK\r\nDate: Fri, 16 Mar 2012 07:30:00 GMT\r\nContent-Length: 0\r\n"
       "Connection: close\r\n\r\n",
       kDate},
      {"404 with Date",
       "HTTP/1.1 404 Not Found\r\nServer: t\r\nDate: Fri, 16 Mar 2012 07:30:00 GMT\r\n"
       "Content-Length: 0\r\nConnection: close\r\n\r\n",
       kDate},
      {"302 with Date",
       "HTTP/1.1 302 Found\r\nLocation: {base}/moved\r\nDate: Fri, 16 Mar 2012 07:30:00 GMT\r\n"
       "Content-Length: 0\r\nConnection: close\r\n\r\n",
       kDate},
      {"200 without Date",
       "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoopbackHttpServer server({c.reply});
    ASSERT_TRUE(server.Listening());
    const std::unique_ptr<HttpRequest> request = CreateRequest();
    ASSERT_NE(request, nullptr);
    EXPECT_TRUE(request->SetTimeouts(5000, 5000, 10000, 5000));
    EXPECT_TRUE(request->PutOption(kHttpOptionEnableRedirects, 0));
    EXPECT_TRUE(request->Open("HEAD", server.BaseAddress() + "/123.123", false));
    EXPECT_TRUE(request->Send());
    EXPECT_EQ(request->GetResponseHeader("Date"), c.header);
    const std::vector<std::string> requests = server.Stop();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(RequestLine(requests[0]), "HEAD /123.123 HTTP/1.1");
  }
}

TEST(WinHttpRequestObject, ARefusedConnectionFailsAtOnce) {
  // Bound but not listening: a connection to it is refused.
  testing::WinsockSession winsock;
  std::uint16_t port = 0;
  const testing::Socket closed = testing::BindLoopback(false, port);
  ASSERT_TRUE(closed.Valid());

  const ULONGLONG start = ::GetTickCount64();
  const std::unique_ptr<HttpRequest> request = CreateRequest();
  ASSERT_NE(request, nullptr);
  request->SetTimeouts(5000, 5000, 10000, 5000);
  request->PutOption(kHttpOptionEnableRedirects, 0);
  const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/123.123";
  EXPECT_TRUE(request->Open("HEAD", url, false));
  EXPECT_FALSE(request->Send());
  EXPECT_EQ(request->GetResponseHeader("Date"), "");
  EXPECT_LT(::GetTickCount64() - start, 3000u);
}

// The whole clock correction over the real request object: the redirect is the answer, and
// the clock is asked for the server's time in China Standard Time.
TEST(WinHttpRequestObject, CarriesTheClockCorrection) {
  LoopbackHttpServer server({"HTTP/1.1 302 Found\r\nLocation: {base}/moved\r\n"
                             "Date: Fri, 16 Mar 2012 07:30:00 GMT\r\nContent-Length: 0\r\n\r\n"});
  ASSERT_TRUE(server.Listening());
  testing::FakeClock clock;
  testing::FakeMessageBox messageBox;
  win32::WinHttpRequestFactory http;
  testing::FakeShell shell;
  testing::FakeRegistry registry;
  testing::FakeProfileFiles profiles;
  const Platform platform{clock, messageBox, http, shell, registry, profiles};

  EXPECT_TRUE(SetClockFromServer(server.BaseAddress(), platform));
  EXPECT_EQ(clock.setRequests, (std::vector<DateFields>{{2012, 3, 16, 15, 30, 0, 5}}));
  EXPECT_TRUE(messageBox.shown.empty());
  const std::vector<std::string> requests = server.Stop();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(RequestLine(requests[0]), "HEAD /123.123 HTTP/1.1");
}

}  // namespace
}  // namespace tessivo
