#include "catalogue.h"

#include <cstdint>
#include <cstdio>

namespace demo {

std::string HashOf(const std::string& text) {
    // Two FNV-1a passes with different seeds give 128 bits, enough to keep demo hashes apart.
    std::uint64_t a = 1469598103934665603ull, b = 1099511628211ull ^ 0x9E3779B97F4A7C15ull;
    for (unsigned char c : text) {
        a = (a ^ c) * 1099511628211ull;
        b = (b ^ c) * 0x100000001B3ull + 0x7F4A7C15ull;
    }
    char out[33];
    std::snprintf(out, sizeof out, "%016llX%016llX", static_cast<unsigned long long>(a),
                  static_cast<unsigned long long>(b));
    return out;
}

namespace {

const char* const kZeros = "00000000000000000000000000000000";

Song MakeSong(const std::string& singer, const std::string& title, const std::string& album, int variety) {
    Song s;
    s.singer = singer;
    s.title = title;
    s.album = album;
    const std::string key = singer + "|" + title;
    s.standardHash = HashOf(key + "|128");
    // Cycle through the combinations the service shows: all qualities, no lossless, lossless as
    // thirty-two zeros, no high quality, no video.
    switch (variety % 5) {
        case 0: s.highHash = HashOf(key + "|320"); s.losslessHash = HashOf(key + "|flac"); s.mvHash = HashOf(key + "|mv"); break;
        case 1: s.highHash = HashOf(key + "|320"); s.mvHash = HashOf(key + "|mv"); break;
        case 2: s.highHash = HashOf(key + "|320"); s.losslessHash = kZeros; break;
        case 3: s.losslessHash = HashOf(key + "|flac"); s.mvHash = HashOf(key + "|mv"); break;
        case 4: s.highHash = HashOf(key + "|320"); s.losslessHash = HashOf(key + "|flac"); break;
    }
    return s;
}

Catalogue Build() {
    Catalogue c;
    const char* dongTitles[] = {"片刻", "海边的信", "晚风里", "旧时光", "路灯下", "雨后的街", "远方的你", "一个人的夜",
                                "夏天的尾巴", "回声", "纸飞机", "站台", "冬至", "老歌", "二十岁", "倒带的信",
                                "白衬衫", "星期天", "南方", "慢慢走", "不说再见", "月亮河", "车窗外", "风筝",
                                "灯火", "归途", "北方的雪", "小城故事多", "午后", "落叶"};
    int variety = 0;
    for (const char* t : dongTitles) c.songs.push_back(MakeSong("东来东往", t, "东来东往 同名专辑", variety++));
    // Live and acoustic versions fill a second and a third result page for the default keyword.
    for (const char* t : dongTitles) c.songs.push_back(MakeSong("东来东往", std::string(t) + " (Live)", "东来东往 现场", variety++));
    for (int i = 0; i < 12; ++i)
        c.songs.push_back(MakeSong("东来东往", std::string(dongTitles[i]) + " (吉他版)", "东来东往 不插电", variety++));

    const char* linTitles[] = {"林间小路", "青苔", "山谷回音", "晨雾", "溪水", "松风"};
    for (const char* t : linTitles) c.songs.push_back(MakeSong("林间乐队", t, "林间", variety++));
    c.songs.push_back(MakeSong("金智恩", "사랑의 노래", "첫 번째", variety++));
    c.songs.push_back(MakeSong("金智恩", "별빛 아래서", "첫 번째", variety++));
    c.songs.push_back(MakeSong("晴天合唱团", "晴天/雨天 \"现场\"", "天气", variety++));
    c.songs.push_back(MakeSong("晴天合唱团",
                               "一首名字非常非常长的歌它讲述了一个人从南方走到北方又从北方回到南方的故事"
                               "途中经过了很多城市遇见了很多人最后发现最想念的还是家门口那条小路和路边的那棵老槐树",
                               "天气", variety++));
    Song broken = MakeSong("东来东往", "信号不好的歌", "东来东往 现场", 0);
    broken.broken = true;
    c.songs.push_back(broken);

    const char* marks[] = {"标清", "高清", "超清"};
    int n = 0;
    for (int i = 0; i < 14; ++i) {
        Mv mv{"东来东往", std::string(dongTitles[i]) + " MV", marks[n++ % 3], "", ".mkv"};
        mv.hash = HashOf("mv|" + mv.title);
        c.mvs.push_back(mv);
    }
    c.mvs.push_back(Mv{"东来东往", "路口 (无片源)", "高清", "", ".mkv"});
    c.mvs.push_back(Mv{"东来东往", "旧时光 (竖屏版)", "超清", HashOf("mv|vertical"), ".mp4"});
    for (const char* t : linTitles) c.mvs.push_back(Mv{"林间乐队", std::string(t) + " MV", marks[n++ % 3], HashOf(std::string("mv|") + t), ".mkv"});
    c.mvs.push_back(Mv{"金智恩", "사랑의 노래 MV", "超清", HashOf("mv|korean"), ".mkv"});
    return c;
}

}  // namespace

const Catalogue& DemoCatalogue() {
    static const Catalogue catalogue = Build();
    return catalogue;
}

}  // namespace demo
