#include "app/link_resolution.h"

#include "app/app_context.h"
#include "search/link_resolver.h"

namespace app {

std::wstring ResolveSongLink(AppContext& context, const std::wstring& hash) {
    return search::ResolveSongLink(context.http, context.endpoints.linkResolver, hash);
}

std::wstring ResolveMvLink(AppContext& context, const std::wstring& hash) {
    return search::ResolveMvLink(context.http, context.endpoints.linkResolver, hash);
}

}  // namespace app
