// Postings are spread over the rooms in turn of a random walk through time:
// each posting moves the clock on by a few minutes to a day, so dates rise
// through the log as they do in a real capture, and every room numbers its
// postings from 1. Posters are drawn with a skewed distribution so that a few
// write most, as in a real forum. All Japanese text is kept as CP932 bytes.
#include "tools/log_generator.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/date_time.h"

namespace tobrel {
namespace {

std::vector<std::string> ToCp932(std::initializer_list<const char*> words) {
  std::vector<std::string> out;
  for (const char* word : words) out.push_back(cp932::FromUtf8(word));
  return out;
}

class Generator {
 public:
  Generator(const LogGeneratorOptions& options, std::ostream& out)
      : options_(options), out_(out), random_(options.seed),
        eol_(options.crlf ? "\r\n" : "\n") {
    words_ = ToCp932({"こんにちは", "ログ", "会議室", "発言", "ありがとうございます", "ですね",
                      "パソコン", "通信", "ＮＩＦＴＹ", "モデム", "2400bps", "ﾃｽﾄ", "今日は",
                      "よろしく", "です。", "思います", "Windows95", "。", "、", "ＲＥ", "　",
                      "質問", "回答", "～", "①", "なるほど", "ﾊﾟｿｺﾝ通信", "そうですか"});
    handles_ = ToCp932({"たろう", "はなこ", "ＳＹＳＯＰ", "ｻﾌﾞｼｽ", "ねこまる", "Ｋｅｎ", "jiro",
                        "ぽんた＠会社", "ながいながいハンドル", "MIKI"});
    titles_ = ToCp932({"はじめまして", "質問です", "Re:モデムの設定", "ログの取り方",
                       "オフ会のお知らせ（１２月）", "今日の話題", "ﾃｽﾄ発言",
                       "とても長いタイトルの発言です。四十一バイトを超えてしまいます",
                       "＞＞まとめ", "雑談"});
    room_names_ = ToCp932({"雑談会議室", "質問箱", "お知らせ", "ｿﾌﾄｳｪｱ", "ハードウェア",
                           "オフ会", "テスト"});
    poster_deleted_ = cp932::FromUtf8("発言者削除");
    comment_to_ = cp932::FromUtf8("へのコメント");
    comment_count_ = cp932::FromUtf8("コメント数：");
    quote_marks_ = ToCp932({">", "> ", "|", "＞", "｜", "》", "〉", "≫", "  >", "　>"});
    noise_ = ToCp932({"MES( 5)  コマンド？", "READ ALL", "次の発言を読みますか？ (Y/N)", "",
                      "*** ログ終了 ***"});
    for (int i = 0; i < options.ids; ++i) {
      char id[16];
      std::snprintf(id, sizeof id, "%c%c%c%05d", 'A' + i % 26, 'A' + (i / 26) % 26,
                    'A' + (i * 7) % 26, (i * 7919) % 100000);
      ids_.push_back(id);
      id_handles_.push_back(Pick(handles_));
    }
    next_number_.assign(options.rooms + 1, 1);
    clock_ = *EncodeDateTime({options.first_year, 1, 1, 9, 0, 0});
  }

  std::uint64_t Run() {
    std::uint64_t written = 0;
    while (options_.min_bytes > 0 ? bytes_ < options_.min_bytes : written < options_.postings) {
      if (Chance(0.02)) RoomHeader();
      if (Chance(0.05)) Line(Pick(noise_));
      Posting();
      ++written;
    }
    return written;
  }

 private:
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  const std::string& Pick(const std::vector<std::string>& from) {
    return from[Uniform(0, static_cast<int>(from.size()) - 1)];
  }

  void Line(const std::string& text) {
    out_ << text << eol_;
    bytes_ += text.size() + eol_.size();
  }

  std::string Date(const char* pattern) { return FormatDateTime(pattern, clock_); }

  void RoomHeader() {
    room_ = Uniform(1, options_.rooms);
    char head[32];
    std::snprintf(head, sizeof head, "- FORUM  MES(%2d):", room_);
    std::string line = head + room_names_[room_ % room_names_.size()] + "        ";
    line += Chance(0.8) ? Date(" yy/mm/dd -") : Date(" yyyy/mm/dd -");
    Line(line);
  }

  void Posting() {
    clock_ += Uniform(1, Chance(0.1) ? 1440 : 90) / 1440.0;
    if (Chance(0.3)) room_ = Uniform(1, options_.rooms);
    const int number = next_number_[room_]++;
    // A skewed pick: low indexes are drawn far more often.
    const double u = std::uniform_real_distribution<double>(0, 1)(random_);
    const int who = static_cast<int>(u * u * u * options_.ids);
    std::string id = ids_[who];
    std::string title = Pick(titles_);
    if (Chance(0.02)) id = "********";
    if (Chance(0.02)) title = poster_deleted_;
    if (Chance(0.01)) id_handles_[who] = Pick(handles_);  // a handle changes
    // A handle longer than its 16 columns runs on into the title, as it
    // does in real logs.
    std::string handle = id_handles_[who];
    if (handle.size() < 16) handle.resize(16, ' ');

    char head[64];
    if (number <= 999 && Chance(0.3))
      std::snprintf(head, sizeof head, "%03d/%03d   %s  ", number, number + Uniform(0, 20),
                    id.c_str());
    else
      std::snprintf(head, sizeof head, "%05d/%05d %s  ", number, number + Uniform(0, 20),
                    id.c_str());
    Line(head + handle + " " + title);

    const int target = number > 1 && Chance(0.4) ? Uniform(1, number - 1) : 0;
    char sub[64];
    std::snprintf(sub, sizeof sub, "(%2d)   ", room_);
    std::string sub_header = sub + Date("yy/mm/dd hh:nn") + "  ";
    if (target > 0 && Chance(0.8)) {
      std::snprintf(sub, sizeof sub, "%05d", target);
      sub_header += sub + comment_to_;
    } else {
      sub_header += std::string(17, ' ');
    }
    if (Chance(0.3)) {
      std::snprintf(sub, sizeof sub, "%3d", Uniform(1, 12));
      sub_header += " " + comment_count_ + sub;
    }
    Line(sub_header);

    const int body_lines = Uniform(1, 12);
    for (int i = 0; i < body_lines; ++i) {
      if (i == 1 && target > 0 && Chance(0.5)) {
        std::snprintf(sub, sizeof sub, "%s%05d", Chance(0.5) ? "RE:" : "re:", target);
        Line(sub);
      } else if (Chance(0.25)) {
        Line(Pick(quote_marks_) + Sentence());
      } else if (Chance(0.02)) {
        Line("X\b!!" + Sentence());
      } else if (Chance(0.05)) {
        Line("");
      } else {
        Line(Sentence());
      }
    }
    if (!Chance(0.05)) Line(" \b");
  }

  std::string Sentence() {
    std::string text;
    const int words = Uniform(1, 14);
    for (int i = 0; i < words; ++i) text += Pick(words_);
    return text;
  }

  LogGeneratorOptions options_;
  std::ostream& out_;
  std::mt19937_64 random_;
  std::string eol_;
  std::vector<std::string> words_, handles_, titles_, room_names_, quote_marks_, noise_;
  std::string poster_deleted_, comment_to_, comment_count_;
  std::vector<std::string> ids_, id_handles_;
  std::vector<int> next_number_;
  int room_ = 1;
  DateTime clock_ = 0;
  std::uint64_t bytes_ = 0;
};

}  // namespace

std::uint64_t GenerateLog(const LogGeneratorOptions& options, std::ostream& out) {
  return Generator(options, out).Run();
}

}  // namespace tobrel
