// The synthetic contact generator.
#include "core/generator.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "core/fixedtext.h"
#include "core/jurnalfile.h"
#include "core/win1251.h"

namespace jurnal {
namespace {

const char* const kPrefixes[] = {
    "UA1", "UA3", "UA4", "UA6", "UA9", "UA0", "RA3", "RA9", "RV6", "RW4", "RK9", "RN3", "RZ1", "R2",
    "UR5", "UT2", "UX0", "EW1", "EU6", "4L1", "4K9", "UN7", "ES2", "YL2", "LY1", "SP5", "OK1", "OM3",
    "DL1", "DJ5", "DK0", "G4", "M0", "F5", "I2", "IK4", "EA3", "W1", "K2", "N5", "KC0", "VE3",
    "JA1", "VK2", "ZS6", "PY2", "LU1", "OH2", "SM5", "LZ1", "YO3", "HA5", "9A2", "S5", "EA8",
};
const char* const kPortable[] = {"/P", "/M", "/MM", "/QRP", "/AM"};
const char* const kVisited[] = {"UA9/", "EA8/", "SV9/", "4K0/", "R1FJ/", "UA0/"};

const char* const kReports[] = {"59", "59", "59", "57", "599", "599", "58", "579", "55"};

const char* const kPlaces[] = {
    "Москва", "Санкт-Петербург", "Новосибирск", "Екатеринбург", "Нижний Новгород", "Казань",
    "Самара", "Омск", "Челябинск", "Ростов-на-Дону", "Уфа", "Волгоград", "Пермь", "Красноярск",
    "Воронеж", "Саратов", "Краснодар", "Тверь", "Киров", "Орёл", "Ёлкино", "Минск", "Киев", "Рига",
    "Вильнюс", "Таллин", "Алматы", "Баку", "Ереван", "Тбилиси", "Берлин", "Прага", "Варшава",
    "Токио", "Нью-Йорк", "Сидней", "о. Врангеля", "Мурманск", "Якутск", "Магадан", "Сочи",
};
const char* const kNames[] = {
    "Александр", "Сергей", "Владимир", "Андрей", "Алексей", "Николай", "Михаил", "Игорь", "Юрий",
    "Олег", "Виктор", "Евгений", "Дмитрий", "Пётр", "Фёдор", "Семён", "Артём", "Ольга", "Наталья",
    "Татьяна", "Елена", "John", "Hans", "Pierre", "Jan", "Taro", "Carlos", "Иван Ёлкин",
};
struct Diploma {
  const char* name;
  int maxPoints;
};
const Diploma kDiplomas[] = {
    {"Р-100-О", 5}, {"W-100-U", 3}, {"R-15-R", 2}, {"R-6-K", 6}, {"Р-150-С", 10}, {"RDA", 1},
    {"WAZ", 1},     {"DXCC", 1},    {"Р-10-Р", 4}, {"ЮГ", 3},     {"Сибирь", 5},  {"Полярник", 8},
};
const char* const kRemarks[] = {
    "QSL via bureau", "QSL direct", "Тест", "Полевой день", "QRP 5 Вт", "Контест", "eQSL",
    "Экспедиция", "Плохое прохождение", "Дальний QSO", "Первая связь", "LoTW",
};
struct BandRange {
  double low, high;  // MHz
  int weight;
};
const BandRange kBands[] = {
    {1.81, 2.0, 4},    {3.5, 3.8, 12},     {7.0, 7.2, 18},     {10.1, 10.15, 4},   {14.0, 14.35, 22},
    {18.068, 18.168, 4}, {21.0, 21.45, 12}, {24.89, 24.99, 3},  {28.0, 29.7, 9},    {50.0, 54.0, 3},
    {144.0, 146.0, 6}, {430.0, 440.0, 2},  {1296.0, 1298.0, 1},
};

template <std::size_t N>
const char* pick(const char* const (&list)[N], int i) { return list[static_cast<std::size_t>(i) % N]; }

// Windows-1251 copies of the UTF-8 lists above, made once.
const std::vector<std::string>& cp1251List(const char* const* list, std::size_t n, int which) {
  static std::vector<std::string> lists[3];
  auto& out = lists[which];
  if (out.empty())
    for (std::size_t i = 0; i < n; ++i) out.push_back(utf8ToCp1251(list[i]));
  return out;
}

// Lower case of Latin and of Cyrillic А..Я (0xC0..0xDF, whose lower case is 0x20 above).
std::string lowerCp1251(std::string text) {
  for (char& c : text) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF)) c = static_cast<char>(b + 0x20);
  }
  return text;
}

}  // namespace

Generator::Generator(std::uint64_t seed, std::int64_t count, std::int32_t lastDay)
    : m_state(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull),
      m_count(count > 0 ? count : 1),
      m_firstDay(lastDay - 30 * 365 - 7),
      m_days(30 * 365 + 7) {}

// splitmix64: tiny, fast and the same everywhere.
std::uint64_t Generator::random() {
  std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

JurnalRecord Generator::next() {
  const auto& places = cp1251List(kPlaces, std::size(kPlaces), 0);
  const auto& names = cp1251List(kNames, std::size(kNames), 1);
  const auto& remarks = cp1251List(kRemarks, std::size(kRemarks), 2);
  static std::vector<std::string> diplomas;
  if (diplomas.empty())
    for (const auto& d : kDiplomas) diplomas.push_back(utf8ToCp1251(d.name));

  JurnalRecord r;
  r.clear();
  // A log grows day by day: contact i falls on the i-th share of the thirty years.
  r.date = m_firstDay + static_cast<std::int32_t>(m_index * m_days / m_count);
  ++m_index;
  r.uts = chance(1) ? 0 : 1 + (below(24 * 60) * 60 + below(60)) * 100;

  if (!chance(2)) {
    int total = 0;
    for (const auto& b : kBands) total += b.weight;
    int w = below(total);
    const BandRange* band = &kBands[0];
    for (const auto& b : kBands) {
      if (w < b.weight) {
        band = &b;
        break;
      }
      w -= b.weight;
    }
    const int khz = static_cast<int>(std::lround((band->high - band->low) * 1000));
    r.band = std::round((band->low * 1000 + below(khz + 1))) / 1000;
  }

  if (!chance(1)) {
    std::string call = pick(kPrefixes, below(static_cast<int>(std::size(kPrefixes))));
    if (call.back() < '0' || call.back() > '9') call += static_cast<char>('0' + below(10));
    const int letters = 1 + below(3);
    for (int i = 0; i < letters; ++i) call += static_cast<char>('A' + below(26));
    const int form = below(100);
    if (form < 4) {
      call += pick(kPortable, below(static_cast<int>(std::size(kPortable))));
    } else if (form < 6) {
      call = std::string(pick(kVisited, below(static_cast<int>(std::size(kVisited))))) + call;
    } else if (form < 8) {
      // Maritime and portable calls of 11 and 12 characters: UA3ABC/QRP, RA9XYZ/MM/P.
      while (call.size() < 6) call += static_cast<char>('A' + below(26));
      call += below(2) ? "/MM/P" : "/QRP";
    }
    if (call.size() > sizeof r.radio) call.resize(sizeof r.radio);
    if (chance(1))
      for (char& c : call) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    setField(r.radio, call);
  }

  setField(r.rss, chance(2) ? "" : pick(kReports, below(static_cast<int>(std::size(kReports)))));
  setField(r.rsr, chance(2) ? "" : pick(kReports, below(static_cast<int>(std::size(kReports)))));
  if (!chance(6)) {
    std::string place = places[static_cast<std::size_t>(below(static_cast<int>(places.size())))];
    if (chance(3)) place = upperCp1251(place);
    setField(r.qth, place);
  }
  if (!chance(8)) setField(r.operatorName, names[static_cast<std::size_t>(below(static_cast<int>(names.size())))]);
  if (!chance(40)) {
    const int d = below(static_cast<int>(std::size(kDiplomas)));
    std::string name = diplomas[static_cast<std::size_t>(d)];
    if (chance(3)) name = lowerCp1251(name);  // typed in lower case now and then
    setField(r.diplom, name);
    const int points = kDiplomas[d].maxPoints;
    const int roll = below(100);
    r.bonus = static_cast<std::int16_t>(roll < 5 ? 0 : roll < 10 ? -(1 + below(points)) : 1 + below(points));
  }
  if (chance(10)) setField(r.remarks, remarks[static_cast<std::size_t>(below(static_cast<int>(remarks.size())))]);
  if (chance(30)) r.qslRes[0] = '#';
  if (chance(50)) r.qlsSend[0] = '#';
  return r;
}

Status Generator::generate(JurnalFile& file, std::int64_t count, std::uint64_t seed, std::int32_t lastDay,
                           const std::function<void(std::int64_t)>& progress, int batch) {
  Generator gen(seed, count, lastDay);
  if (batch < 1) batch = 1;
  // A new log is loaded without its keys and keyed once at the end.
  file.beginBulkLoad();
  std::int64_t done = 0;
  while (done < count) {
    if (Status s = file.begin(); !s) return s;
    const std::int64_t end = std::min<std::int64_t>(count, done + batch);
    for (; done < end; ++done) {
      const JurnalRecord rec = gen.next();
      if (Status s = file.insert(rec); !s) {
        file.rollback();
        file.endBulkLoad();
        return s;
      }
    }
    if (Status s = file.commit(); !s) return s;
    if (progress) progress(done);
  }
  return file.endBulkLoad();
}

}  // namespace jurnal
