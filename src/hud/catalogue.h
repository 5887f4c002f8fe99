// Brindlecot — every text of the status line in the game's thirteen languages: the translators' table.
//
// One block per text: its key under [Texts] in Brindlecot.ini, then one line per language in the
// order the game numbers its languages (en fr de it es pt pl ru ko zh-tw ja mx zh-cn). English is
// the plugin's own wording; a line of another language says the same as a native speaker would write
// a game's prompt: short, in the imperative where the English is.
//
// Rules a line keeps (the catalogue tests check each of them and name the text and the language):
//   - UTF-8, and shorter than kStatusTextBytes (state.h);
//   - the colour tokens ~r~ (red), ~b~ (blue) and ~w~ (back to white) in the same order as in the
//     English, around the words that carry the same weight; no other ~;
//   - the spaces at the start and end of a piece kept as in the English where the pieces are joined
//     (the drive text and the warning are put together from several lines).
// Key and button names (F3, LB+A), setting names and the file's name are never translated: the
// plugin writes them between the pieces.
//
// The drive text: drive, then, when a key or button frees the suspect, drive_key_before, its name
// (Shift+F3) and drive_key_after.
// The warning: "Brindlecot.ini: " then one of
//   key_arrest=F33 + warn_not_a_key + F3 + warn_is_used
//   key_arest + warn_not_a_setting
//   [Texts] escort + warn_text_too_long
//   [Texts] escrot + warn_not_a_text
// and, when more than one thing could not be read, warn_and_more + the count + warn_more.

#pragma once

#include <cstdint>

#include "state.h"

// The game's language numbers, as it answers them; anything else is shown in English.
constexpr int kLanguageCount = 13;
constexpr int kEnglish = 0;

enum class TextId : uint8_t {
    MissionPed,
    RefuseOnFoot,
    RefuseInVehicle,
    GetClose,
    Escort,
    NoFreeSeat,
    NotInVehicle,
    Resisting,
    Drive,
    DriveKeyBefore,
    DriveKeyAfter,
    NotAKey,
    NotAButton,
    NotOnOff,
    NotALanguage,
    ShootButton,
    AimButton,
    TooManyButtons,
    IsUsed,
    NotASetting,
    TextTooLong,
    TextNotUtf8,
    TextLoneTilde,
    NotAText,
    AndMore,
    More,
    Count
};
static_assert(static_cast<int>(TextId::Count) == kTextCount, "state.h keeps room for every text");

struct CatalogueText {
    TextId id;
    const char* key;                         // under [Texts]
    const char* inLanguage[kLanguageCount];  // by the game's language number
};

// clang-format off
inline constexpr CatalogueText kCatalogue[] = {
    {TextId::MissionPed, "mission_ped", {
        /* en    */ "Cannot arrest mission ped (change in config file)",
        /* fr    */ "Impossible d'arrêter un personnage de mission (modifiable dans le fichier de configuration)",
        /* de    */ "Missionsfiguren können nicht festgenommen werden (in der Konfigurationsdatei änderbar)",
        /* it    */ "Impossibile arrestare un personaggio della missione (modificabile nel file di configurazione)",
        /* es    */ "No se puede detener a un personaje de misión (modificable en el archivo de configuración)",
        /* pt    */ "Não é possível prender personagem de missão (altere no arquivo de configuração)",
        /* pl    */ "Nie można aresztować postaci z misji (można to zmienić w pliku konfiguracyjnym)",
        /* ru    */ "Нельзя арестовать персонажа миссии (можно изменить в файле настроек)",
        /* ko    */ "미션 인물은 체포할 수 없습니다 (설정 파일에서 변경 가능)",
        /* zh-tw */ "無法逮捕任務角色（可在設定檔中變更）",
        /* ja    */ "ミッション用の人物は逮捕できない（設定ファイルで変更可）",
        /* mx    */ "No se puede arrestar a un personaje de misión (modificable en el archivo de configuración)",
        /* zh-cn */ "无法逮捕任务角色（可在配置文件中更改）",
    }},
    {TextId::RefuseOnFoot, "refuse_on_foot", {
        /* en    */ "Ped is ~r~refusing arrest~w~, shoot him in the leg!",
        /* fr    */ "L'individu ~r~refuse l'arrestation~w~, tirez-lui dans la jambe !",
        /* de    */ "Der Verdächtige ~r~verweigert die Festnahme~w~, schieß ihm ins Bein!",
        /* it    */ "Il soggetto ~r~rifiuta l'arresto~w~, sparagli a una gamba!",
        /* es    */ "El sujeto ~r~se niega a ser detenido~w~, ¡dispárale en la pierna!",
        /* pt    */ "O sujeito ~r~se recusa a ser preso~w~, atire na perna dele!",
        /* pl    */ "Podejrzany ~r~nie poddaje się aresztowaniu~w~, strzel mu w nogę!",
        /* ru    */ "Подозреваемый ~r~не даёт себя арестовать~w~, выстрели ему в ногу!",
        /* ko    */ "대상이 ~r~체포를 거부합니다~w~! 다리를 쏘세요!",
        /* zh-tw */ "對方~r~拒捕~w~，朝他的腿開槍！",
        /* ja    */ "相手は~r~逮捕を拒んでいる~w~。足を撃て！",
        /* mx    */ "El sujeto ~r~se niega a ser arrestado~w~, ¡dispárale en la pierna!",
        /* zh-cn */ "对方~r~拒捕~w~，朝他的腿开枪！",
    }},
    {TextId::RefuseInVehicle, "refuse_in_vehicle", {
        /* en    */ "Ped is ~r~refusing~w~ arrest, damage the vehicle engine!",
        /* fr    */ "L'individu ~r~refuse~w~ l'arrestation, endommagez le moteur du véhicule !",
        /* de    */ "Der Verdächtige ~r~verweigert~w~ die Festnahme, beschädige den Motor des Fahrzeugs!",
        /* it    */ "Il soggetto ~r~rifiuta~w~ l'arresto, danneggia il motore del veicolo!",
        /* es    */ "El sujeto ~r~se niega~w~ a ser detenido, ¡daña el motor del vehículo!",
        /* pt    */ "O sujeito ~r~se recusa~w~ a ser preso, danifique o motor do veículo!",
        /* pl    */ "Podejrzany ~r~nie poddaje się~w~ aresztowaniu, uszkodź silnik pojazdu!",
        /* ru    */ "Подозреваемый ~r~не даёт~w~ себя арестовать, повреди двигатель машины!",
        /* ko    */ "대상이 체포를 ~r~거부합니다~w~! 차량 엔진을 파손하세요!",
        /* zh-tw */ "對方~r~拒絕~w~被捕，破壞車輛引擎！",
        /* ja    */ "相手は逮捕を~r~拒んでいる~w~。車両のエンジンを破壊しろ！",
        /* mx    */ "El sujeto ~r~se niega~w~ a ser arrestado, ¡daña el motor del vehículo!",
        /* zh-cn */ "对方~r~拒绝~w~被捕，破坏车辆引擎！",
    }},
    {TextId::GetClose, "get_close", {
        /* en    */ "Get close to the suspect and press again to cuff him",
        /* fr    */ "Approchez-vous du suspect et appuyez à nouveau pour le menotter",
        /* de    */ "Geh nah an den Verdächtigen heran und drück erneut, um ihm Handschellen anzulegen",
        /* it    */ "Avvicinati al sospettato e premi di nuovo per ammanettarlo",
        /* es    */ "Acércate al sospechoso y pulsa de nuevo para esposarlo",
        /* pt    */ "Chegue perto do suspeito e aperte de novo para algemá-lo",
        /* pl    */ "Podejdź do podejrzanego i naciśnij ponownie, aby go skuć",
        /* ru    */ "Подойди к подозреваемому и нажми ещё раз, чтобы надеть наручники",
        /* ko    */ "용의자에게 다가가 다시 눌러 수갑을 채우세요",
        /* zh-tw */ "靠近嫌犯後再按一次，為他銬上手銬",
        /* ja    */ "容疑者に近づき、もう一度押して手錠をかけろ",
        /* mx    */ "Acércate al sospechoso y presiona de nuevo para esposarlo",
        /* zh-cn */ "靠近嫌疑人后再按一次，给他戴上手铐",
    }},
    {TextId::Escort, "escort", {
        /* en    */ "Escort the suspect to the vehicle",
        /* fr    */ "Escortez le suspect jusqu'au véhicule",
        /* de    */ "Eskortiere den Verdächtigen zum Fahrzeug",
        /* it    */ "Scorta il sospettato fino al veicolo",
        /* es    */ "Escolta al sospechoso hasta el vehículo",
        /* pt    */ "Escolte o suspeito até o veículo",
        /* pl    */ "Eskortuj podejrzanego do pojazdu",
        /* ru    */ "Отведи подозреваемого к машине",
        /* ko    */ "용의자를 차량까지 데려가세요",
        /* zh-tw */ "將嫌犯押往車輛",
        /* ja    */ "容疑者を車両まで連行しろ",
        /* mx    */ "Escolta al sospechoso hasta el carro",
        /* zh-cn */ "将嫌疑人押往车辆",
    }},
    // Shown beside a car whose every seat behind the driver is taken.
    {TextId::NoFreeSeat, "no_free_seat", {
        /* en    */ "No free seat for the suspect in this vehicle",
        /* fr    */ "Aucune place libre pour le suspect dans ce véhicule",
        /* de    */ "Kein freier Platz für den Verdächtigen in diesem Fahrzeug",
        /* it    */ "Nessun posto libero per il sospettato in questo veicolo",
        /* es    */ "No hay asiento libre para el sospechoso en este vehículo",
        /* pt    */ "Não há assento livre para o suspeito neste veículo",
        /* pl    */ "Brak wolnego miejsca dla podejrzanego w tym pojeździe",
        /* ru    */ "В этой машине нет свободного места для подозреваемого",
        /* ko    */ "이 차량에는 용의자를 태울 빈 좌석이 없습니다",
        /* zh-tw */ "這輛車沒有空位可載嫌犯",
        /* ja    */ "この車両には容疑者を乗せる空席がない",
        /* mx    */ "No hay asiento libre para el sospechoso en este carro",
        /* zh-cn */ "这辆车没有空座位可载嫌疑人",
    }},
    // Shown when the player drove off and the suspect is not in the car.
    {TextId::NotInVehicle, "not_in_vehicle", {
        /* en    */ "The suspect is not in your vehicle",
        /* fr    */ "Le suspect n'est pas dans votre véhicule",
        /* de    */ "Der Verdächtige ist nicht in deinem Fahrzeug",
        /* it    */ "Il sospettato non è nel tuo veicolo",
        /* es    */ "El sospechoso no está en tu vehículo",
        /* pt    */ "O suspeito não está no seu veículo",
        /* pl    */ "Podejrzanego nie ma w twoim pojeździe",
        /* ru    */ "Подозреваемого нет в твоей машине",
        /* ko    */ "용의자가 차량에 타고 있지 않습니다",
        /* zh-tw */ "嫌犯不在你的車上",
        /* ja    */ "容疑者が車両に乗っていない",
        /* mx    */ "El sospechoso no está en tu carro",
        /* zh-cn */ "嫌疑人不在你的车上",
    }},
    {TextId::Resisting, "resisting", {
        /* en    */ "Suspect is ~r~resisting~w~ arrest!",
        /* fr    */ "Le suspect ~r~résiste~w~ à l'arrestation !",
        /* de    */ "Der Verdächtige ~r~widersetzt sich~w~ der Festnahme!",
        /* it    */ "Il sospettato ~r~resiste~w~ all'arresto!",
        /* es    */ "¡El sospechoso ~r~se resiste~w~ a la detención!",
        /* pt    */ "O suspeito está ~r~resistindo~w~ à prisão!",
        /* pl    */ "Podejrzany ~r~opiera się~w~ aresztowaniu!",
        /* ru    */ "Подозреваемый ~r~сопротивляется~w~ аресту!",
        /* ko    */ "용의자가 체포에 ~r~저항하고 있습니다~w~!",
        /* zh-tw */ "嫌犯正在~r~抵抗~w~逮捕！",
        /* ja    */ "容疑者が逮捕に~r~抵抗している~w~！",
        /* mx    */ "¡El sospechoso ~r~se resiste~w~ al arresto!",
        /* zh-cn */ "嫌疑人正在~r~抵抗~w~逮捕！",
    }},
    // The drive text's head; alone when nothing sets the suspect free.
    {TextId::Drive, "drive", {
        /* en    */ "Drive the suspect to the ~b~marked~w~ precinct",
        /* fr    */ "Conduisez le suspect au commissariat ~b~indiqué~w~",
        /* de    */ "Fahr den Verdächtigen zum ~b~markierten~w~ Revier",
        /* it    */ "Porta il sospettato alla centrale ~b~indicata~w~",
        /* es    */ "Lleva al sospechoso a la comisaría ~b~marcada~w~",
        /* pt    */ "Leve o suspeito até a delegacia ~b~marcada~w~",
        /* pl    */ "Zawieź podejrzanego na ~b~oznaczony~w~ posterunek",
        /* ru    */ "Отвези подозреваемого в ~b~отмеченный~w~ полицейский участок",
        /* ko    */ "용의자를 ~b~표시된~w~ 경찰서로 이송하세요",
        /* zh-tw */ "將嫌犯載往~b~標記的~w~警局",
        /* ja    */ "容疑者を~b~マークされた~w~警察署まで護送しろ",
        /* mx    */ "Lleva al sospechoso a la estación de policía ~b~marcada~w~",
        /* zh-cn */ "将嫌疑人载往~b~标记的~w~警察局",
    }},
    // Then the key's or button's name (F3, LB+A), then drive_key_after.
    {TextId::DriveKeyBefore, "drive_key_before", {
        /* en    */ " (or set him free ",
        /* fr    */ " (ou relâchez-le avec ",
        /* de    */ " (oder freilassen mit ",
        /* it    */ " (o rilascialo con ",
        /* es    */ " (o suéltalo con ",
        /* pt    */ " (ou solte-o com ",
        /* pl    */ " (lub wypuść go, naciskając ",
        /* ru    */ " (или отпусти его, нажав ",
        /* ko    */ " (또는 석방: ",
        /* zh-tw */ " (釋放請按 ",
        /* ja    */ " (釈放するには ",
        /* mx    */ " (o suéltalo con ",
        /* zh-cn */ " (释放请按 ",
    }},
    {TextId::DriveKeyAfter, "drive_key_after", {
        /* en    */ ")",
        /* fr    */ ")",
        /* de    */ ")",
        /* it    */ ")",
        /* es    */ ")",
        /* pt    */ ")",
        /* pl    */ ")",
        /* ru    */ ")",
        /* ko    */ ")",
        /* zh-tw */ ")",
        /* ja    */ ")",
        /* mx    */ ")",
        /* zh-cn */ ")",
    }},
    // "key_arrest=F33 is not a key, F3 is used": after what was written, before the default.
    {TextId::NotAKey, "warn_not_a_key", {
        /* en    */ " is not a key, ",
        /* fr    */ " n'est pas une touche, ",
        /* de    */ " ist keine Taste, ",
        /* it    */ " non è un tasto, ",
        /* es    */ " no es una tecla, ",
        /* pt    */ " não é uma tecla, ",
        /* pl    */ " nie jest klawiszem, użyto ",
        /* ru    */ " — не клавиша, ",
        /* ko    */ " 값은 키가 아니므로 ",
        /* zh-tw */ " 不是按鍵，將以 ",
        /* ja    */ " はキーではないため ",
        /* mx    */ " no es una tecla, ",
        /* zh-cn */ " 不是按键，将以 ",
    }},
    {TextId::NotAButton, "warn_not_a_button", {
        /* en    */ " is not a gamepad button, ",
        /* fr    */ " n'est pas un bouton de manette, ",
        /* de    */ " ist keine Gamepad-Taste, ",
        /* it    */ " non è un pulsante del gamepad, ",
        /* es    */ " no es un botón del mando, ",
        /* pt    */ " não é um botão de controle, ",
        /* pl    */ " nie jest przyciskiem pada, użyto ",
        /* ru    */ " — не кнопка геймпада, ",
        /* ko    */ " 값은 게임패드 버튼이 아니므로 ",
        /* zh-tw */ " 不是手把按鈕，將以 ",
        /* ja    */ " はゲームパッドのボタンではないため ",
        /* mx    */ " no es un botón del control, ",
        /* zh-cn */ " 不是手柄按键，将以 ",
    }},
    {TextId::NotOnOff, "warn_not_on_off", {
        /* en    */ " is not on or off, ",
        /* fr    */ " n'est ni on ni off, ",
        /* de    */ " ist weder on noch off, ",
        /* it    */ " non è né on né off, ",
        /* es    */ " no es on ni off, ",
        /* pt    */ " não é on nem off, ",
        /* pl    */ " nie jest wartością on ani off, użyto ",
        /* ru    */ " — не on и не off, ",
        /* ko    */ " 값은 on 또는 off가 아니므로 ",
        /* zh-tw */ " 不是 on 或 off，將以 ",
        /* ja    */ " は on でも off でもないため ",
        /* mx    */ " no es on ni off, ",
        /* zh-cn */ " 不是 on 或 off，将以 ",
    }},
    // "language=xx is not a language, auto is used"
    {TextId::NotALanguage, "warn_not_a_language", {
        /* en    */ " is not a language, ",
        /* fr    */ " n'est pas une langue, ",
        /* de    */ " ist keine Sprache, ",
        /* it    */ " non è una lingua, ",
        /* es    */ " no es un idioma, ",
        /* pt    */ " não é um idioma, ",
        /* pl    */ " nie jest językiem, użyto ",
        /* ru    */ " — не язык, ",
        /* ko    */ " 값은 언어가 아니므로 ",
        /* zh-tw */ " 不是語言，將以 ",
        /* ja    */ " は言語ではないため ",
        /* mx    */ " no es un idioma, ",
        /* zh-cn */ " 不是语言，将以 ",
    }},
    // "key_arrest=1 is the mouse button that shoots, F3 is used"
    {TextId::ShootButton, "warn_shoot_button", {
        /* en    */ " is the mouse button that shoots, ",
        /* fr    */ " est le bouton de souris qui tire, ",
        /* de    */ " ist die Maustaste zum Schießen, ",
        /* it    */ " è il pulsante del mouse per sparare, ",
        /* es    */ " es el botón del ratón que dispara, ",
        /* pt    */ " é o botão do mouse que atira, ",
        /* pl    */ " to przycisk myszy do strzelania, użyto ",
        /* ru    */ " — кнопка мыши для стрельбы, ",
        /* ko    */ " 값은 사격에 쓰는 마우스 버튼이므로 ",
        /* zh-tw */ " 是射擊用的滑鼠按鍵，將以 ",
        /* ja    */ " は射撃に使うマウスボタンのため ",
        /* mx    */ " es el botón del mouse que dispara, ",
        /* zh-cn */ " 是用于射击的鼠标按键，将以 ",
    }},
    {TextId::AimButton, "warn_aim_button", {
        /* en    */ " is the mouse button that aims, ",
        /* fr    */ " est le bouton de souris qui vise, ",
        /* de    */ " ist die Maustaste zum Zielen, ",
        /* it    */ " è il pulsante del mouse per mirare, ",
        /* es    */ " es el botón del ratón que apunta, ",
        /* pt    */ " é o botão do mouse que mira, ",
        /* pl    */ " to przycisk myszy do celowania, użyto ",
        /* ru    */ " — кнопка мыши для прицеливания, ",
        /* ko    */ " 값은 조준에 쓰는 마우스 버튼이므로 ",
        /* zh-tw */ " 是瞄準用的滑鼠按鍵，將以 ",
        /* ja    */ " は照準に使うマウスボタンのため ",
        /* mx    */ " es el botón del mouse que apunta, ",
        /* zh-cn */ " 是用于瞄准的鼠标按键，将以 ",
    }},
    {TextId::TooManyButtons, "warn_too_many_buttons", {
        /* en    */ " is more than 4 choices or 4 buttons, ",
        /* fr    */ " dépasse 4 choix ou 4 boutons, ",
        /* de    */ " hat mehr als 4 Optionen oder 4 Tasten, ",
        /* it    */ " ha più di 4 opzioni o 4 pulsanti, ",
        /* es    */ " tiene más de 4 opciones o 4 botones, ",
        /* pt    */ " tem mais de 4 opções ou 4 botões, ",
        /* pl    */ " ma ponad 4 opcje lub 4 przyciski, użyto ",
        /* ru    */ " — больше 4 вариантов или 4 кнопок, ",
        /* ko    */ " 값은 선택지 4개 또는 버튼 4개를 초과하므로 ",
        /* zh-tw */ " 超過 4 個選項或 4 個按鈕，將以 ",
        /* ja    */ " は選択肢またはボタンが 4 つを超えているため ",
        /* mx    */ " tiene más de 4 opciones o 4 botones, ",
        /* zh-cn */ " 超过 4 个选项或 4 个按键，将以 ",
    }},
    // After the default that is used instead.
    {TextId::IsUsed, "warn_is_used", {
        /* en    */ " is used",
        /* fr    */ " est utilisé",
        /* de    */ " wird verwendet",
        /* it    */ " viene usato",
        /* es    */ " se usa en su lugar",
        /* pt    */ " será usado",
        /* pl    */ " jako wartości domyślnej",
        /* ru    */ " используется по умолчанию",
        /* ko    */ " 기본값을 사용합니다",
        /* zh-tw */ " 代替",
        /* ja    */ " を使用します",
        /* mx    */ " se usa en su lugar",
        /* zh-cn */ " 代替",
    }},
    // "key_arest is not a setting"
    {TextId::NotASetting, "warn_not_a_setting", {
        /* en    */ " is not a setting",
        /* fr    */ " n'est pas un paramètre",
        /* de    */ " ist keine Einstellung",
        /* it    */ " non è un'impostazione",
        /* es    */ " no es un ajuste",
        /* pt    */ " não é uma configuração",
        /* pl    */ " to nieznane ustawienie",
        /* ru    */ " — неизвестный параметр",
        /* ko    */ " 항목은 알 수 없는 설정입니다",
        /* zh-tw */ " 不是設定項目",
        /* ja    */ " という設定はありません",
        /* mx    */ " no es una opción de configuración",
        /* zh-cn */ " 不是设置项",
    }},
    // "[Texts] escort is too long, the plugin's own text is used"
    {TextId::TextTooLong, "warn_text_too_long", {
        /* en    */ " is too long, the plugin's own text is used",
        /* fr    */ " est trop long, le texte d'origine du plugin est utilisé",
        /* de    */ " ist zu lang, der Originaltext des Plugins wird verwendet",
        /* it    */ " è troppo lungo, viene usato il testo originale del plugin",
        /* es    */ " es demasiado largo, se usa el texto original del plugin",
        /* pt    */ " é longo demais, o texto original do plugin será usado",
        /* pl    */ " przekracza limit długości, użyto oryginalnego tekstu wtyczki",
        /* ru    */ " слишком длинный, используется исходный текст плагина",
        /* ko    */ " 텍스트가 너무 길어 플러그인 기본 텍스트를 사용합니다",
        /* zh-tw */ " 過長，改用模組內建文字",
        /* ja    */ " は長すぎるため、プラグイン標準のテキストを使用します",
        /* mx    */ " es demasiado largo, se usa el texto original del plugin",
        /* zh-cn */ " 过长，改用插件内置文本",
    }},
    {TextId::TextNotUtf8, "warn_text_not_utf8", {
        /* en    */ " is not UTF-8, the plugin's own text is used",
        /* fr    */ " n'est pas en UTF-8, le texte d'origine du plugin est utilisé",
        /* de    */ " ist kein UTF-8, der Originaltext des Plugins wird verwendet",
        /* it    */ " non è in UTF-8, viene usato il testo originale del plugin",
        /* es    */ " no está en UTF-8, se usa el texto original del plugin",
        /* pt    */ " não está em UTF-8, o texto original do plugin será usado",
        /* pl    */ " nie jest w kodowaniu UTF-8, użyto oryginalnego tekstu wtyczki",
        /* ru    */ " не в кодировке UTF-8, используется исходный текст плагина",
        /* ko    */ " 텍스트가 UTF-8이 아니므로 플러그인 기본 텍스트를 사용합니다",
        /* zh-tw */ " 不是 UTF-8 編碼，改用模組內建文字",
        /* ja    */ " は UTF-8 ではないため、プラグイン標準のテキストを使用します",
        /* mx    */ " no está en UTF-8, se usa el texto original del plugin",
        /* zh-cn */ " 不是 UTF-8 编码，改用插件内置文本",
    }},
    // A ~ that opens or closes no colour token.
    {TextId::TextLoneTilde, "warn_text_lone_tilde", {
        /* en    */ " has an unpaired tilde, the plugin's own text is used",
        /* fr    */ " contient un tilde orphelin, le texte d'origine du plugin est utilisé",
        /* de    */ " enthält eine einzelne Tilde, der Originaltext des Plugins wird verwendet",
        /* it    */ " ha una tilde spaiata, viene usato il testo originale del plugin",
        /* es    */ " tiene una virgulilla sin pareja, se usa el texto original del plugin",
        /* pt    */ " tem um til sem par, o texto original do plugin será usado",
        /* pl    */ " zawiera tyldę bez pary, użyto oryginalnego tekstu wtyczki",
        /* ru    */ " содержит непарную тильду, используется исходный текст плагина",
        /* ko    */ " 텍스트에 짝이 없는 물결표가 있어 플러그인 기본 텍스트를 사용합니다",
        /* zh-tw */ " 含有不成對的波浪號，改用模組內建文字",
        /* ja    */ " に対になっていないチルダがあるため、プラグイン標準のテキストを使用します",
        /* mx    */ " tiene una virgulilla sin pareja, se usa el texto original del plugin",
        /* zh-cn */ " 含有不成对的波浪号，改用插件内置文本",
    }},
    // "[Texts] escrot is not a text"
    {TextId::NotAText, "warn_not_a_text", {
        /* en    */ " is not a text",
        /* fr    */ " n'est pas un texte",
        /* de    */ " ist kein Text",
        /* it    */ " non è un testo",
        /* es    */ " no es un texto",
        /* pt    */ " não é um texto",
        /* pl    */ " to nieznany tekst",
        /* ru    */ " — неизвестный текст",
        /* ko    */ " 항목은 알 수 없는 텍스트입니다",
        /* zh-tw */ " 不是文字項目",
        /* ja    */ " というテキストはありません",
        /* mx    */ " no es un texto",
        /* zh-cn */ " 不是文本项",
    }},
    // " (and 3 more)": how many more things could not be read.
    {TextId::AndMore, "warn_and_more", {
        /* en    */ " (and ",
        /* fr    */ " (et ",
        /* de    */ " (und ",
        /* it    */ " (e ",
        /* es    */ " (y ",
        /* pt    */ " (e mais ",
        /* pl    */ " (i jeszcze ",
        /* ru    */ " (и ещё ",
        /* ko    */ " (외 ",
        /* zh-tw */ " (另有 ",
        /* ja    */ " (ほか ",
        /* mx    */ " (y ",
        /* zh-cn */ " (另有 ",
    }},
    {TextId::More, "warn_more", {
        /* en    */ " more)",
        /* fr    */ " de plus)",
        /* de    */ " weitere)",
        /* it    */ " in più)",
        /* es    */ " más)",
        /* pt    */ " no arquivo)",
        /* pl    */ " w pliku)",
        /* ru    */ " в файле)",
        /* ko    */ " 건)",
        /* zh-tw */ " 項)",
        /* ja    */ " 件)",
        /* mx    */ " más)",
        /* zh-cn */ " 项)",
    }},
};
// clang-format on

constexpr bool catalogueInOrder() {
    for (int n = 0; n < kTextCount; ++n) {
        if (static_cast<int>(kCatalogue[n].id) != n) return false;
    }
    return true;
}
static_assert(sizeof kCatalogue / sizeof kCatalogue[0] == kTextCount && catalogueInOrder(),
              "one block per text, in the order of TextId");

// The catalogue's wording of a text in a language, by the game's language number.
constexpr const char* catalogueText(TextId id, int language) {
    return kCatalogue[static_cast<int>(id)].inLanguage[language];
}
