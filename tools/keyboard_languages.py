"""The UI texts of every shipped language, for make_keyboard_data.py.

Each language is written to modules/i18n/lang_<code>.ini, where the code is the Qt 4
QLocale::Language number and QLocale::Country number, three digits each (000: no country).
Text k of a language is line k of its block below (k = 1 … 115); the meaning of each index is
the one of the English table, which is the program's built-in one. "msg" holds the titles and
texts of the two warnings: a macro too long for its slot, and a background picture that cannot
be opened (the picture's path is appended to the last text).
"""

LATIN_FONT = "Arial"
CJK_FONT = "WenQuanYi Micro Hei"


def _texts(block):
    lines = block.strip("\n").split("\n")
    assert len(lines) == 115, len(lines)
    return lines


ENGLISH = _texts("""
OPTIONS
LOOP
SPEED
BRIGHTNESS
DIRECTION
PAINTING
EFFECTS
USER DEFINE 1
USER DEFINE 2
USER DEFINE 3
USER DEFINE 4
USER DEFINE 5
STATIC
BREATHING
WAVE
INDUCTION DARKEN
MARQUEE
RIPPLE
INDUCTION BRIGHTEN
NEON
MARQUEE COLORFUL
RAINING
MARQUEE CIRCLE
SPOTLIGHT
ROTATION
SKIN
SOUND
ANIMATED
LANGUAGE
BACKGROUND
ON
OFF
TEXT
SIZE
COLOR
BRIGHTNESS
NORMAL
LARGER
SKIN 1
SKIN 2
SKIN 3
SKIN 4
SKIN 5
MACRO
ACTION
KEYBOARD
MOUSE
MEDIA
COMBO KEY
MACRO
LEFT
RIGHT
MIDDLE
B4
B5
NEXT TRACK
PREVIOUS TRACK
STOP
PLAY / PAUSE
MUTE
VOLUME UP
VOLUME DOWN
MEDIA SELECT
MAIL
CALCULATOR
MY COMPUTER
WWW SEARCH
WWW HOME
WWW BACK
WWW FORWARD
WWW STOP
WWW REFRESH
WWW FAVORITES
KEY
MACRO
COLOR
RESET
CANCEL
GAMING MODE
DELETE
CUT
PASTE
COPY
LOAD
SAVE
SENSOR
LED POWER ON
TWINKLING
GLIDING
FINGER MOVING
VERTICAL FLIPPING
YO-YO
FIRE KEY
TRIPLE CLICK
DPI SWITCH
NORMAL PLAY
TIMES
ALWAYS REPEAT
REPEAT ON PRESSED
USER DEFINE 4
USER DEFINE 5
VERTICAL SCROLL SPEED
DOUBLE CLICK SPEED
DPI LEVEL
DPI INDICATOR LED
DEFAULT
APPLY
SCROLL SWAP
SCROLL UP
SCROLL DOWN
UPDATE KEYBOARD
RENAME
ALL RESET
ALL SAVE
BACKLIGHT
""")

CHINESE_SIMPLIFIED = _texts("""
选项
循环
速度
亮度
方向
绘制
特效
自定义 1
自定义 2
自定义 3
自定义 4
自定义 5
常亮
呼吸
波浪
按键熄灭
跑马灯
涟漪
按键点亮
霓虹
彩色跑马灯
雨滴
环形跑马灯
聚光灯
旋转
皮肤
声音
动画
语言
背景
开
关
文字
大小
颜色
亮度
标准
较大
皮肤 1
皮肤 2
皮肤 3
皮肤 4
皮肤 5
宏
动作
键盘
鼠标
多媒体
组合键
宏
左键
右键
中键
B4
B5
下一曲
上一曲
停止
播放 / 暂停
静音
音量加
音量减
媒体选择
邮件
计算器
我的电脑
网页搜索
网页主页
网页后退
网页前进
网页停止
网页刷新
网页收藏夹
按键
宏
颜色
重置
取消
游戏模式
删除
剪切
粘贴
复制
载入
保存
传感器
开机灯效
闪烁
滑行
手指移动
垂直翻转
悠悠球
连发键
三连击
DPI 切换
正常播放
次
一直重复
按住时重复
自定义 4
自定义 5
垂直滚动速度
双击速度
DPI 档位
DPI 指示灯
默认
应用
滚轮反向
向上滚动
向下滚动
更新键盘
重命名
全部重置
全部保存
背光
""")

CHINESE_TRADITIONAL = _texts("""
選項
循環
速度
亮度
方向
繪製
特效
自訂 1
自訂 2
自訂 3
自訂 4
自訂 5
恆亮
呼吸
波浪
按鍵熄滅
跑馬燈
漣漪
按鍵點亮
霓虹
彩色跑馬燈
雨滴
環形跑馬燈
聚光燈
旋轉
外觀
聲音
動畫
語言
背景
開
關
文字
大小
顏色
亮度
標準
較大
外觀 1
外觀 2
外觀 3
外觀 4
外觀 5
巨集
動作
鍵盤
滑鼠
多媒體
組合鍵
巨集
左鍵
右鍵
中鍵
B4
B5
下一首
上一首
停止
播放 / 暫停
靜音
音量增加
音量減少
媒體選擇
郵件
計算機
我的電腦
網頁搜尋
網頁首頁
網頁上一頁
網頁下一頁
網頁停止
網頁重新整理
網頁我的最愛
按鍵
巨集
顏色
重設
取消
遊戲模式
刪除
剪下
貼上
複製
載入
儲存
感應器
開機燈效
閃爍
滑行
手指移動
垂直翻轉
溜溜球
連發鍵
三連擊
DPI 切換
正常播放
次
持續重複
按住時重複
自訂 4
自訂 5
垂直捲動速度
按兩下速度
DPI 段數
DPI 指示燈
預設
套用
滾輪反向
向上捲動
向下捲動
更新鍵盤
重新命名
全部重設
全部儲存
背光
""")

GERMAN = _texts("""
OPTIONEN
ZYKLUS
TEMPO
HELLIGKEIT
RICHTUNG
MALEN
EFFEKTE
EIGENES 1
EIGENES 2
EIGENES 3
EIGENES 4
EIGENES 5
STATISCH
ATMEN
WELLE
TASTE VERDUNKELT
LAUFLICHT
KREISWELLE
TASTE LEUCHTET
NEON
LAUFLICHT BUNT
REGEN
LAUFLICHT KREIS
SCHEINWERFER
ROTATION
DESIGN
TON
ANIMATION
SPRACHE
HINTERGRUND
AN
AUS
TEXT
GRÖSSE
FARBE
HELLIGKEIT
NORMAL
GRÖSSER
DESIGN 1
DESIGN 2
DESIGN 3
DESIGN 4
DESIGN 5
MAKRO
AKTION
TASTATUR
MAUS
MEDIEN
TASTENKOMBINATION
MAKRO
LINKS
RECHTS
MITTE
B4
B5
NÄCHSTER TITEL
VORHERIGER TITEL
STOPP
WIEDERGABE / PAUSE
STUMM
LAUTER
LEISER
MEDIENAUSWAHL
E-MAIL
RECHNER
ARBEITSPLATZ
WEBSUCHE
WEB-STARTSEITE
WEB ZURÜCK
WEB VORWÄRTS
WEB STOPP
WEB NEU LADEN
WEB FAVORITEN
TASTE
MAKRO
FARBE
ZURÜCKSETZEN
ABBRECHEN
SPIELMODUS
LÖSCHEN
AUSSCHNEIDEN
EINFÜGEN
KOPIEREN
LADEN
SPEICHERN
SENSOR
LED BEIM EINSCHALTEN
FUNKELN
GLEITEN
FINGERBEWEGUNG
VERTIKAL KIPPEN
JO-JO
FEUERTASTE
DREIFACHKLICK
DPI-UMSCHALTUNG
NORMAL ABSPIELEN
MAL
IMMER WIEDERHOLEN
WIEDERHOLEN SOLANGE GEDRÜCKT
EIGENES 4
EIGENES 5
VERTIKALES SCROLLTEMPO
DOPPELKLICKTEMPO
DPI-STUFE
DPI-ANZEIGE-LED
STANDARD
ÜBERNEHMEN
SCROLLRICHTUNG TAUSCHEN
NACH OBEN SCROLLEN
NACH UNTEN SCROLLEN
TASTATUR AKTUALISIEREN
UMBENENNEN
ALLES ZURÜCKSETZEN
ALLES SPEICHERN
BELEUCHTUNG
""")

FRENCH = _texts("""
OPTIONS
BOUCLE
VITESSE
LUMINOSITÉ
DIRECTION
PEINTURE
EFFETS
PERSO 1
PERSO 2
PERSO 3
PERSO 4
PERSO 5
STATIQUE
RESPIRATION
VAGUE
ÉTEINDRE À LA FRAPPE
DÉFILEMENT
ONDULATION
ALLUMER À LA FRAPPE
NÉON
DÉFILEMENT COLORÉ
PLUIE
DÉFILEMENT CIRCULAIRE
PROJECTEUR
ROTATION
THÈME
SON
ANIMATIONS
LANGUE
ARRIÈRE-PLAN
ACTIVÉ
DÉSACTIVÉ
TEXTE
TAILLE
COULEUR
LUMINOSITÉ
NORMALE
PLUS GRANDE
THÈME 1
THÈME 2
THÈME 3
THÈME 4
THÈME 5
MACRO
ACTION
CLAVIER
SOURIS
MULTIMÉDIA
COMBINAISON
MACRO
GAUCHE
DROITE
MILIEU
B4
B5
PISTE SUIVANTE
PISTE PRÉCÉDENTE
ARRÊT
LECTURE / PAUSE
MUET
VOLUME +
VOLUME -
SÉLECTION MÉDIA
COURRIER
CALCULATRICE
POSTE DE TRAVAIL
RECHERCHE WEB
ACCUEIL WEB
WEB PRÉCÉDENT
WEB SUIVANT
WEB ARRÊTER
WEB ACTUALISER
WEB FAVORIS
TOUCHE
MACRO
COULEUR
RÉINITIALISER
ANNULER
MODE JEU
SUPPRIMER
COUPER
COLLER
COPIER
CHARGER
ENREGISTRER
CAPTEUR
LED À L'ALLUMAGE
SCINTILLEMENT
GLISSEMENT
DOIGT MOBILE
BASCULE VERTICALE
YO-YO
TOUCHE DE TIR
TRIPLE CLIC
CHANGEMENT DE DPI
LECTURE NORMALE
FOIS
RÉPÉTER TOUJOURS
RÉPÉTER TANT QU'APPUYÉ
PERSO 4
PERSO 5
VITESSE DE DÉFILEMENT VERTICAL
VITESSE DU DOUBLE CLIC
NIVEAU DPI
LED INDICATEUR DPI
PAR DÉFAUT
APPLIQUER
INVERSER LE DÉFILEMENT
DÉFILER VERS LE HAUT
DÉFILER VERS LE BAS
METTRE À JOUR LE CLAVIER
RENOMMER
TOUT RÉINITIALISER
TOUT ENREGISTRER
ÉCLAIRAGE
""")

SPANISH = _texts("""
OPCIONES
CICLO
VELOCIDAD
BRILLO
DIRECCIÓN
PINTURA
EFECTOS
USUARIO 1
USUARIO 2
USUARIO 3
USUARIO 4
USUARIO 5
ESTÁTICO
RESPIRACIÓN
ONDA
APAGAR AL PULSAR
MARQUESINA
ONDULACIÓN
ENCENDER AL PULSAR
NEÓN
MARQUESINA DE COLORES
LLUVIA
MARQUESINA CIRCULAR
FOCO
ROTACIÓN
TEMA
SONIDO
ANIMACIONES
IDIOMA
FONDO
ACTIVADO
DESACTIVADO
TEXTO
TAMAÑO
COLOR
BRILLO
NORMAL
MÁS GRANDE
TEMA 1
TEMA 2
TEMA 3
TEMA 4
TEMA 5
MACRO
ACCIÓN
TECLADO
RATÓN
MULTIMEDIA
COMBINACIÓN
MACRO
IZQUIERDO
DERECHO
CENTRAL
B4
B5
PISTA SIGUIENTE
PISTA ANTERIOR
DETENER
REPRODUCIR / PAUSA
SILENCIAR
SUBIR VOLUMEN
BAJAR VOLUMEN
SELECCIONAR MEDIO
CORREO
CALCULADORA
MI PC
BÚSQUEDA WEB
INICIO WEB
WEB ATRÁS
WEB ADELANTE
WEB DETENER
WEB ACTUALIZAR
WEB FAVORITOS
TECLA
MACRO
COLOR
RESTABLECER
CANCELAR
MODO JUEGO
ELIMINAR
CORTAR
PEGAR
COPIAR
CARGAR
GUARDAR
SENSOR
LED AL ENCENDER
CENTELLEO
DESLIZAMIENTO
DEDO EN MOVIMIENTO
GIRO VERTICAL
YOYÓ
TECLA DE DISPARO
TRIPLE CLIC
CAMBIO DE DPI
REPRODUCCIÓN NORMAL
VECES
REPETIR SIEMPRE
REPETIR AL MANTENER
USUARIO 4
USUARIO 5
VELOCIDAD DE DESPLAZAMIENTO VERTICAL
VELOCIDAD DE DOBLE CLIC
NIVEL DE DPI
LED INDICADOR DE DPI
PREDETERMINADO
APLICAR
INVERTIR DESPLAZAMIENTO
DESPLAZAR ARRIBA
DESPLAZAR ABAJO
ACTUALIZAR TECLADO
CAMBIAR NOMBRE
RESTABLECER TODO
GUARDAR TODO
LUZ DE FONDO
""")

JAPANESE = _texts("""
オプション
ループ
速度
明るさ
方向
ペイント
エフェクト
ユーザー 1
ユーザー 2
ユーザー 3
ユーザー 4
ユーザー 5
常時点灯
呼吸
ウェーブ
押下で消灯
マーキー
波紋
押下で点灯
ネオン
カラーマーキー
雨
サークルマーキー
スポットライト
回転
スキン
サウンド
アニメーション
言語
背景
オン
オフ
テキスト
サイズ
色
明るさ
標準
大きめ
スキン 1
スキン 2
スキン 3
スキン 4
スキン 5
マクロ
アクション
キーボード
マウス
メディア
コンボキー
マクロ
左
右
中央
B4
B5
次のトラック
前のトラック
停止
再生 / 一時停止
ミュート
音量を上げる
音量を下げる
メディア選択
メール
電卓
マイ コンピューター
Web 検索
Web ホーム
Web 戻る
Web 進む
Web 中止
Web 更新
Web お気に入り
キー
マクロ
色
リセット
キャンセル
ゲームモード
削除
切り取り
貼り付け
コピー
読み込み
保存
センサー
起動時の LED
きらめき
グライド
フィンガームーブ
縦フリップ
ヨーヨー
連射キー
トリプルクリック
DPI 切替
通常再生
回
常に繰り返す
押している間繰り返す
ユーザー 4
ユーザー 5
縦スクロール速度
ダブルクリック速度
DPI レベル
DPI インジケーター LED
デフォルト
適用
スクロール反転
上スクロール
下スクロール
キーボードを更新
名前の変更
すべてリセット
すべて保存
バックライト
""")

KOREAN = _texts("""
옵션
순환
속도
밝기
방향
페인팅
효과
사용자 1
사용자 2
사용자 3
사용자 4
사용자 5
고정
숨쉬기
물결
입력 시 소등
마키
파문
입력 시 점등
네온
컬러 마키
빗방울
원형 마키
스포트라이트
회전
스킨
사운드
애니메이션
언어
배경
켬
끔
텍스트
크기
색상
밝기
보통
크게
스킨 1
스킨 2
스킨 3
스킨 4
스킨 5
매크로
동작
키보드
마우스
미디어
조합 키
매크로
왼쪽
오른쪽
가운데
B4
B5
다음 트랙
이전 트랙
정지
재생 / 일시정지
음소거
볼륨 높이기
볼륨 낮추기
미디어 선택
메일
계산기
내 컴퓨터
웹 검색
웹 홈
웹 뒤로
웹 앞으로
웹 중지
웹 새로 고침
웹 즐겨찾기
키
매크로
색상
초기화
취소
게임 모드
삭제
잘라내기
붙여넣기
복사
불러오기
저장
센서
전원 켤 때 LED
반짝임
글라이딩
손가락 이동
세로 뒤집기
요요
연사 키
트리플 클릭
DPI 전환
일반 재생
회
항상 반복
누르는 동안 반복
사용자 4
사용자 5
세로 스크롤 속도
더블 클릭 속도
DPI 단계
DPI 표시 LED
기본값
적용
스크롤 반전
위로 스크롤
아래로 스크롤
키보드 업데이트
이름 바꾸기
모두 초기화
모두 저장
백라이트
""")

RUSSIAN = _texts("""
ПАРАМЕТРЫ
ЦИКЛ
СКОРОСТЬ
ЯРКОСТЬ
НАПРАВЛЕНИЕ
РИСОВАНИЕ
ЭФФЕКТЫ
СВОЙ 1
СВОЙ 2
СВОЙ 3
СВОЙ 4
СВОЙ 5
СТАТИКА
ДЫХАНИЕ
ВОЛНА
ГАСНЕТ ПРИ НАЖАТИИ
БЕГУЩИЙ ОГОНЬ
РЯБЬ
СВЕТИТСЯ ПРИ НАЖАТИИ
НЕОН
ЦВЕТНОЙ БЕГУЩИЙ ОГОНЬ
ДОЖДЬ
БЕГУЩИЙ ПО КРУГУ
ПРОЖЕКТОР
ВРАЩЕНИЕ
ТЕМА
ЗВУК
АНИМАЦИЯ
ЯЗЫК
ФОН
ВКЛ
ВЫКЛ
ТЕКСТ
РАЗМЕР
ЦВЕТ
ЯРКОСТЬ
ОБЫЧНЫЙ
КРУПНЕЕ
ТЕМА 1
ТЕМА 2
ТЕМА 3
ТЕМА 4
ТЕМА 5
МАКРОС
ДЕЙСТВИЕ
КЛАВИАТУРА
МЫШЬ
МЕДИА
КОМБИНАЦИЯ
МАКРОС
ЛЕВАЯ
ПРАВАЯ
СРЕДНЯЯ
B4
B5
СЛЕДУЮЩИЙ ТРЕК
ПРЕДЫДУЩИЙ ТРЕК
СТОП
ВОСПР. / ПАУЗА
БЕЗ ЗВУКА
ГРОМЧЕ
ТИШЕ
ВЫБОР МЕДИА
ПОЧТА
КАЛЬКУЛЯТОР
МОЙ КОМПЬЮТЕР
ВЕБ-ПОИСК
ВЕБ: ДОМОЙ
ВЕБ: НАЗАД
ВЕБ: ВПЕРЁД
ВЕБ: СТОП
ВЕБ: ОБНОВИТЬ
ВЕБ: ИЗБРАННОЕ
КЛАВИША
МАКРОС
ЦВЕТ
СБРОС
ОТМЕНА
ИГРОВОЙ РЕЖИМ
УДАЛИТЬ
ВЫРЕЗАТЬ
ВСТАВИТЬ
КОПИРОВАТЬ
ЗАГРУЗИТЬ
СОХРАНИТЬ
СЕНСОР
ПОДСВЕТКА ПРИ ВКЛЮЧЕНИИ
МЕРЦАНИЕ
СКОЛЬЖЕНИЕ
ДВИЖЕНИЕ ПАЛЬЦА
ВЕРТИКАЛЬНЫЙ ПЕРЕВОРОТ
ЙО-ЙО
КЛАВИША ОГНЯ
ТРОЙНОЙ ЩЕЛЧОК
ПЕРЕКЛЮЧЕНИЕ DPI
ОБЫЧНОЕ ВОСПРОИЗВЕДЕНИЕ
РАЗ
ПОВТОРЯТЬ ВСЕГДА
ПОВТОР ПРИ УДЕРЖАНИИ
СВОЙ 4
СВОЙ 5
СКОРОСТЬ ВЕРТ. ПРОКРУТКИ
СКОРОСТЬ ДВОЙНОГО ЩЕЛЧКА
УРОВЕНЬ DPI
ИНДИКАТОР DPI
ПО УМОЛЧАНИЮ
ПРИМЕНИТЬ
ИНВЕРСИЯ ПРОКРУТКИ
ПРОКРУТКА ВВЕРХ
ПРОКРУТКА ВНИЗ
ОБНОВИТЬ КЛАВИАТУРУ
ПЕРЕИМЕНОВАТЬ
СБРОСИТЬ ВСЁ
СОХРАНИТЬ ВСЁ
ПОДСВЕТКА
""")

# code: Qt 4 language and country names (as the program lists them), font, texts, messages
LANGUAGES = {
    "031000": dict(language="English", country=None, family=LATIN_FONT, strings=ENGLISH, msg=[
        "Macro too long",
        "This macro does not fit into the keyboard's 128-byte macro slot. "
        "Only the steps that fit are written.",
        "Background picture",
        "This picture cannot be opened:\n",
    ]),
    "025044": dict(language="Chinese", country="China", family=CJK_FONT,
                   strings=CHINESE_SIMPLIFIED, msg=[
                       "宏过长",
                       "此宏超出键盘 128 字节的宏存储空间，只写入能够容纳的步骤。",
                       "背景图片",
                       "无法打开此图片：\n",
                   ]),
    "025208": dict(language="Chinese", country="Taiwan", family=CJK_FONT,
                   strings=CHINESE_TRADITIONAL, msg=[
                       "巨集過長",
                       "此巨集超出鍵盤 128 位元組的巨集記憶體，只寫入可容納的步驟。",
                       "背景圖片",
                       "無法開啟此圖片：\n",
                   ]),
    "042000": dict(language="German", country=None, family=LATIN_FONT, strings=GERMAN, msg=[
        "Makro zu lang",
        "Dieses Makro passt nicht in den 128-Byte-Makrospeicher der Tastatur. "
        "Nur die Schritte, die hineinpassen, werden geschrieben.",
        "Hintergrundbild",
        "Dieses Bild kann nicht geöffnet werden:\n",
    ]),
    "037000": dict(language="French", country=None, family=LATIN_FONT, strings=FRENCH, msg=[
        "Macro trop longue",
        "Cette macro dépasse l'emplacement de 128 octets du clavier. "
        "Seules les étapes qui tiennent sont écrites.",
        "Image d'arrière-plan",
        "Impossible d'ouvrir cette image :\n",
    ]),
    "111000": dict(language="Spanish", country=None, family=LATIN_FONT, strings=SPANISH, msg=[
        "Macro demasiado larga",
        "Esta macro no cabe en la memoria de 128 bytes del teclado. "
        "Solo se escriben los pasos que caben.",
        "Imagen de fondo",
        "No se puede abrir esta imagen:\n",
    ]),
    "059000": dict(language="Japanese", country=None, family=CJK_FONT, strings=JAPANESE, msg=[
        "マクロが長すぎます",
        "このマクロはキーボードの 128 バイトのマクロ領域に収まりません。"
        "収まる手順だけが書き込まれます。",
        "背景画像",
        "この画像を開けません：\n",
    ]),
    "066000": dict(language="Korean", country=None, family=CJK_FONT, strings=KOREAN, msg=[
        "매크로가 너무 깁니다",
        "이 매크로는 키보드의 128바이트 매크로 공간에 들어가지 않습니다. "
        "들어가는 단계만 기록됩니다.",
        "배경 그림",
        "이 그림을 열 수 없습니다:\n",
    ]),
    "096000": dict(language="Russian", country=None, family=LATIN_FONT, strings=RUSSIAN, msg=[
        "Слишком длинный макрос",
        "Макрос не помещается в 128-байтовую ячейку макросов клавиатуры. "
        "Записываются только поместившиеся шаги.",
        "Фоновое изображение",
        "Не удаётся открыть это изображение:\n",
    ]),
}


def display_name(code):
    """The name the language list shows for a language file, as the program derives it."""
    language = LANGUAGES[code]
    suffix = {"China": " (Simp)", "Taiwan": " (Trad)", None: ""}.get(
        language["country"], " (%s)" % str(language["country"]).upper())
    return language["language"].upper() + suffix


def english_index():
    """Index of English in the language list, which is ordered by display name."""
    names = sorted(display_name(code) for code in LANGUAGES)
    return names.index(display_name("031000"))


# Messages "msg/20" … "msg/29": the title of a refused import, its reason (cannot be read, too
# large, not a settings text, encoded data, keys that do not belong, a value of the wrong form,
# none of the expected keys), and the title and text of the notice that damaged stored files were
# set aside at start (their new names are appended to the last text).
REFUSED_FILE_FIRST_MESSAGE = 20
REFUSED_FILE_MESSAGES = {
    "031000": [
        "File not imported",
        "The file cannot be read. Nothing was changed.",
        "The file is larger than 1 MB, and a profile or a macro takes only a few kilobytes. "
        "Nothing was changed.",
        "The file is not a settings file of this program: it holds binary data or is cut off. "
        "Nothing was changed.",
        "The file holds encoded data that this program never writes. Nothing was changed.",
        "The file holds settings that do not belong in this kind of file. Nothing was changed.",
        "A value in the file has the wrong form: not a whole number, out of range, or a list of "
        "the wrong length. Nothing was changed.",
        "The file holds none of the settings of this kind of file. Nothing was changed.",
        "Damaged files set aside",
        "These files were damaged. They were renamed and kept, and the factory settings are used "
        "in their place:\n",
    ],
    "025044": [
        "文件未导入",
        "无法读取此文件。未做任何更改。",
        "此文件超过 1 MB，而配置文件或宏只有几 KB。未做任何更改。",
        "此文件不是本程序的设置文件：其中含有二进制数据，或文件不完整。未做任何更改。",
        "此文件含有本程序从不写入的编码数据。未做任何更改。",
        "此文件含有不属于此类文件的设置项。未做任何更改。",
        "文件中的某个值格式错误：不是整数、超出范围，或列表长度不对。未做任何更改。",
        "此文件不含此类文件应有的任何设置。未做任何更改。",
        "已隔离损坏的文件",
        "以下文件已损坏。它们已被重命名并保留，现改用出厂设置：\n",
    ],
    "025208": [
        "檔案未匯入",
        "無法讀取此檔案。未做任何變更。",
        "此檔案超過 1 MB，而設定檔或巨集只有幾 KB。未做任何變更。",
        "此檔案不是本程式的設定檔：其中含有二進位資料，或檔案不完整。未做任何變更。",
        "此檔案含有本程式從不寫入的編碼資料。未做任何變更。",
        "此檔案含有不屬於此類檔案的設定項目。未做任何變更。",
        "檔案中的某個值格式錯誤：不是整數、超出範圍，或清單長度不對。未做任何變更。",
        "此檔案不含此類檔案應有的任何設定。未做任何變更。",
        "已隔離損壞的檔案",
        "以下檔案已損壞。它們已重新命名並保留，現改用原廠設定：\n",
    ],
    "042000": [
        "Datei nicht importiert",
        "Die Datei kann nicht gelesen werden. Es wurde nichts geändert.",
        "Die Datei ist größer als 1 MB, ein Profil oder ein Makro umfasst aber nur wenige "
        "Kilobyte. Es wurde nichts geändert.",
        "Die Datei ist keine Einstellungsdatei dieses Programms: Sie enthält Binärdaten oder ist "
        "unvollständig. Es wurde nichts geändert.",
        "Die Datei enthält kodierte Daten, die dieses Programm nie schreibt. "
        "Es wurde nichts geändert.",
        "Die Datei enthält Einstellungen, die nicht in diese Art von Datei gehören. "
        "Es wurde nichts geändert.",
        "Ein Wert in der Datei hat die falsche Form: keine ganze Zahl, außerhalb des Bereichs "
        "oder eine Liste falscher Länge. Es wurde nichts geändert.",
        "Die Datei enthält keine der Einstellungen dieser Art von Datei. "
        "Es wurde nichts geändert.",
        "Beschädigte Dateien beiseitegelegt",
        "Diese Dateien waren beschädigt. Sie wurden umbenannt und aufbewahrt; an ihrer Stelle "
        "gelten die Werkseinstellungen:\n",
    ],
    "037000": [
        "Fichier non importé",
        "Impossible de lire ce fichier. Rien n'a été modifié.",
        "Le fichier dépasse 1 Mo, alors qu'un profil ou une macro ne fait que quelques "
        "kilo-octets. Rien n'a été modifié.",
        "Ce fichier n'est pas un fichier de réglages de ce programme : il contient des données "
        "binaires ou il est tronqué. Rien n'a été modifié.",
        "Le fichier contient des données encodées que ce programme n'écrit jamais. "
        "Rien n'a été modifié.",
        "Le fichier contient des réglages qui n'ont pas leur place dans ce type de fichier. "
        "Rien n'a été modifié.",
        "Une valeur du fichier n'a pas la bonne forme : pas un nombre entier, hors limites, ou "
        "une liste de mauvaise longueur. Rien n'a été modifié.",
        "Le fichier ne contient aucun des réglages de ce type de fichier. Rien n'a été modifié.",
        "Fichiers endommagés mis de côté",
        "Ces fichiers étaient endommagés. Ils ont été renommés et conservés, et les réglages "
        "d'usine les remplacent :\n",
    ],
    "111000": [
        "Archivo no importado",
        "No se puede leer el archivo. No se ha cambiado nada.",
        "El archivo ocupa más de 1 MB, y un perfil o una macro ocupa solo unos pocos kilobytes. "
        "No se ha cambiado nada.",
        "El archivo no es un archivo de configuración de este programa: contiene datos binarios "
        "o está incompleto. No se ha cambiado nada.",
        "El archivo contiene datos codificados que este programa nunca escribe. "
        "No se ha cambiado nada.",
        "El archivo contiene ajustes que no corresponden a este tipo de archivo. "
        "No se ha cambiado nada.",
        "Un valor del archivo no tiene la forma correcta: no es un número entero, está fuera de "
        "rango o es una lista de longitud incorrecta. No se ha cambiado nada.",
        "El archivo no contiene ninguno de los ajustes de este tipo de archivo. "
        "No se ha cambiado nada.",
        "Archivos dañados apartados",
        "Estos archivos estaban dañados. Se han renombrado y conservado, y en su lugar se usan "
        "los ajustes de fábrica:\n",
    ],
    "059000": [
        "ファイルを読み込みませんでした",
        "このファイルを読み取れません。何も変更されていません。",
        "このファイルは 1 MB を超えています。プロファイルやマクロは数 KB しかありません。"
        "何も変更されていません。",
        "このファイルは本プログラムの設定ファイルではありません。バイナリデータを含んでいるか、"
        "途中で切れています。何も変更されていません。",
        "このファイルには、本プログラムが書き込むことのないエンコードされたデータが含まれています。"
        "何も変更されていません。",
        "このファイルには、この種類のファイルに属さない設定が含まれています。何も変更されていません。",
        "ファイル内の値の形式が正しくありません（整数でない、範囲外、またはリストの長さが違う）。"
        "何も変更されていません。",
        "このファイルには、この種類のファイルの設定が一つも含まれていません。何も変更されていません。",
        "破損したファイルを退避しました",
        "次のファイルは破損していました。名前を変えて保管し、代わりに工場出荷時の設定を使用します：\n",
    ],
    "066000": [
        "파일을 가져오지 않았습니다",
        "이 파일을 읽을 수 없습니다. 아무것도 변경되지 않았습니다.",
        "이 파일은 1 MB보다 큽니다. 프로필이나 매크로는 몇 KB에 불과합니다. "
        "아무것도 변경되지 않았습니다.",
        "이 파일은 이 프로그램의 설정 파일이 아닙니다. 바이너리 데이터가 들어 있거나 잘려 "
        "있습니다. 아무것도 변경되지 않았습니다.",
        "이 파일에는 이 프로그램이 절대 쓰지 않는 인코딩된 데이터가 들어 있습니다. "
        "아무것도 변경되지 않았습니다.",
        "이 파일에는 이 종류의 파일에 속하지 않는 설정이 들어 있습니다. "
        "아무것도 변경되지 않았습니다.",
        "파일의 값 형식이 잘못되었습니다. 정수가 아니거나, 범위를 벗어나거나, 목록 길이가 맞지 "
        "않습니다. 아무것도 변경되지 않았습니다.",
        "이 파일에는 이 종류의 파일에 있어야 할 설정이 하나도 없습니다. "
        "아무것도 변경되지 않았습니다.",
        "손상된 파일을 따로 보관했습니다",
        "다음 파일이 손상되어 있었습니다. 이름을 바꾸어 보관했으며, 대신 공장 설정을 "
        "사용합니다:\n",
    ],
    "096000": [
        "Файл не импортирован",
        "Не удаётся прочитать файл. Ничего не изменено.",
        "Файл больше 1 МБ, а профиль или макрос занимает всего несколько килобайт. "
        "Ничего не изменено.",
        "Это не файл настроек этой программы: он содержит двоичные данные или обрезан. "
        "Ничего не изменено.",
        "Файл содержит закодированные данные, которые эта программа никогда не записывает. "
        "Ничего не изменено.",
        "Файл содержит настройки, которых не должно быть в файле такого типа. "
        "Ничего не изменено.",
        "Значение в файле имеет неверный вид: не целое число, вне допустимого диапазона или "
        "список неверной длины. Ничего не изменено.",
        "Файл не содержит ни одной настройки файла такого типа. Ничего не изменено.",
        "Повреждённые файлы отложены",
        "Эти файлы были повреждены. Они переименованы и сохранены, вместо них используются "
        "заводские настройки:\n",
    ],
}


# Messages "msg/10" … "msg/15": the keyboard is there but cannot be opened. Its title, the reason
# (no permission, or held by another program; %1 is the device's name, %2 its path), what to do
# for each reason, and the button that closes the message.
KEYBOARD_ACCESS_FIRST_MESSAGE = 10
KEYBOARD_ACCESS_MESSAGES = {
    "031000": [
        "The keyboard cannot be opened",
        "%1 is connected, but this user is not allowed to open it (%2).",
        "%1 is connected, but another program is using it (%2).",
        "The program's keyboard rule is %1. udev reads rules only from /usr/lib/udev/rules.d and /etc/udev/rules.d: from anywhere else, copy it to /etc/udev/rules.d first. Then apply it as root with these two commands:\nudevadm control --reload-rules\nudevadm trigger --subsystem-match=hidraw --action=change",
        "Close the other program, then close this message to try again.",
        "Close",
    ],
    "025044": [
        "无法打开键盘",
        "%1 已连接，但当前用户无权打开它（%2）。",
        "%1 已连接，但正被另一个程序占用（%2）。",
        "程序附带的键盘规则位于 %1。udev 只读取 /usr/lib/udev/rules.d 和 /etc/udev/rules.d 中的规则：若规则在其他位置，请先将其复制到 /etc/udev/rules.d。然后以 root 身份运行以下两条命令使其生效：\nudevadm control --reload-rules\nudevadm trigger --subsystem-match=hidraw --action=change",
        "请关闭另一个程序，然后关闭此消息以重试。",
        "关闭",
    ],
    "025208": [
        "無法開啟鍵盤",
        "%1 已連接，但目前的使用者無權開啟它（%2）。",
        "%1 已連接，但正被另一個程式佔用（%2）。",
        "程式隨附的鍵盤規則位於 %1。udev 只讀取 /usr/lib/udev/rules.d 與 /etc/udev/rules.d 中的規則：若規則在其他位置，請先將它複製到 /etc/udev/rules.d。然後以 root 身分執行以下兩個指令使其生效：\nudevadm control --reload-rules\nudevadm trigger --subsystem-match=hidraw --action=change",
        "請關閉另一個程式，然後關閉此訊息以重試。",
        "關閉",
    ],
    "042000": [
        "Die Tastatur kann nicht geöffnet werden",
        "%1 ist angeschlossen, aber dieser Benutzer darf sie nicht öffnen (%2).",
        "%1 ist angeschlossen, wird aber von einem anderen Programm verwendet (%2).",
        "Die Tastaturregel des Programms liegt unter %1. udev liest Regeln nur aus /usr/lib/udev/rules.d und /etc/udev/rules.d: Liegt sie woanders, kopieren Sie sie zuerst nach /etc/udev/rules.d. Wenden Sie sie dann als root mit diesen beiden Befehlen an:\nudevadm control --reload-rules\nudevadm trigger --subsystem-match=hidraw --action=change",
        "Schließen Sie das andere Programm und danach diese Meldung, um es erneut zu versuchen.",
        "Schließen",
    ],
    "037000": [
        "Impossible d'ouvrir le clavier",
        "%1 est branché, mais cet utilisateur n'a pas le droit de l'ouvrir (%2).",
        "%1 est branché, mais un autre programme l'utilise (%2).",
        "La règle du clavier fournie avec le programme se trouve dans %1. udev ne lit les règles que dans /usr/lib/udev/rules.d et /etc/udev/rules.d : si elle est ailleurs, copiez-la d'abord dans /etc/udev/rules.d. Appliquez-la ensuite en tant que root avec ces deux commandes :\nudevadm control --reload-rules\nudevadm trigger --subsystem-match=hidraw --action=change",
        "Fermez l'autre programme, puis fermez ce message pour réessayer.",
        "Fermer",
    ],
    "111000": [
        "No se puede abrir el teclado",
        "%1 está conectado, pero este usuario no tiene permiso para abrirlo (%2).",
        "%1 está conectado, pero otro programa lo está usando (%2).",
        "La regla del teclado que acompaña al programa está en %1. udev solo lee reglas de /usr/lib/udev/rules.d y /etc/udev/rules.d: si está en otro lugar, cópiela antes a /etc/udev/rules.d. Después aplíquela como root con estas dos órdenes:\nudevadm control --reload-rules\nudevadm trigger --subsystem-match=hidraw --action=change",
        "Cierre el otro programa y después cierre este mensaje para volver a intentarlo.",
        "Cerrar",
    ],
    "059000": [
        "キーボードを開けません",
        "%1 は接続されていますが、このユーザーには開く権限がありません（%2）。",
        "%1 は接続されていますが、別のプログラムが使用中です（%2）。",
        "プログラムに付属するキーボード用ルールは %1 にあります。udev は /usr/lib/udev/rules.d と /etc/udev/rules.d のルールだけを読みます。ほかの場所にある場合は、先に /etc/udev/rules.d にコピーしてください。続いて root で次の 2 つのコマンドを実行して適用します：\nudevadm control --reload-rules\nudevadm trigger --subsystem-match=hidraw --action=change",
        "別のプログラムを終了してから、このメッセージを閉じると再試行します。",
        "閉じる",
    ],
    "066000": [
        "키보드를 열 수 없습니다",
        "%1이(가) 연결되어 있지만 이 사용자에게는 열 권한이 없습니다(%2).",
        "%1이(가) 연결되어 있지만 다른 프로그램이 사용 중입니다(%2).",
        "프로그램과 함께 제공되는 키보드 규칙은 %1에 있습니다. udev는 /usr/lib/udev/rules.d와 /etc/udev/rules.d의 규칙만 읽으므로, 다른 곳에 있다면 먼저 /etc/udev/rules.d로 복사하십시오. 그런 다음 root로 다음 두 명령을 실행하여 적용하십시오:\nudevadm control --reload-rules\nudevadm trigger --subsystem-match=hidraw --action=change",
        "다른 프로그램을 닫은 다음 이 메시지를 닫으면 다시 시도합니다.",
        "닫기",
    ],
    "096000": [
        "Не удаётся открыть клавиатуру",
        "%1 подключена, но у этого пользователя нет права открыть её (%2).",
        "%1 подключена, но её использует другая программа (%2).",
        "Правило для клавиатуры, поставляемое с программой, находится в %1. udev читает правила только из /usr/lib/udev/rules.d и /etc/udev/rules.d: если оно в другом месте, сначала скопируйте его в /etc/udev/rules.d. Затем примените его от имени root двумя командами:\nudevadm control --reload-rules\nudevadm trigger --subsystem-match=hidraw --action=change",
        "Закройте другую программу, затем закройте это сообщение, чтобы повторить попытку.",
        "Закрыть",
    ],
}


# Messages "msg/30" and "msg/31": the keyboard did not take a change, and it did not answer a
# query.
KEYBOARD_NOTICE_FIRST_MESSAGE = 30
KEYBOARD_NOTICE_MESSAGES = {
    "031000": [
        "The keyboard did not take the change. Check that it is plugged in, then try again.",
        "The keyboard is not answering. Check that it is plugged in; the page shows what the profile holds.",
    ],
    "025044": [
        "键盘未接受此更改。请检查键盘是否已连接，然后重试。",
        "键盘没有响应。请检查键盘是否已连接；页面显示的是配置文件中保存的内容。",
    ],
    "025208": [
        "鍵盤未接受此變更。請檢查鍵盤是否已連接，然後再試一次。",
        "鍵盤沒有回應。請檢查鍵盤是否已連接；頁面顯示的是設定檔中儲存的內容。",
    ],
    "042000": [
        "Die Tastatur hat die Änderung nicht übernommen. Prüfen Sie, ob sie angeschlossen ist, und versuchen Sie es erneut.",
        "Die Tastatur antwortet nicht. Prüfen Sie, ob sie angeschlossen ist; die Seite zeigt, was im Profil gespeichert ist.",
    ],
    "037000": [
        "Le clavier n'a pas pris en compte la modification. Vérifiez qu'il est branché, puis réessayez.",
        "Le clavier ne répond pas. Vérifiez qu'il est branché ; la page affiche ce que contient le profil.",
    ],
    "111000": [
        "El teclado no aceptó el cambio. Compruebe que está conectado y vuelva a intentarlo.",
        "El teclado no responde. Compruebe que está conectado; la página muestra lo que guarda el perfil.",
    ],
    "059000": [
        "キーボードは変更を受け付けませんでした。接続を確認してから、もう一度お試しください。",
        "キーボードが応答しません。接続を確認してください。ページにはプロファイルに保存された内容が表示されています。",
    ],
    "066000": [
        "키보드가 변경 사항을 받아들이지 않았습니다. 연결되어 있는지 확인한 후 다시 시도하세요.",
        "키보드가 응답하지 않습니다. 연결되어 있는지 확인하세요. 페이지에는 프로필에 저장된 내용이 표시됩니다.",
    ],
    "096000": [
        "Клавиатура не приняла изменение. Проверьте, что она подключена, и повторите попытку.",
        "Клавиатура не отвечает. Проверьте, что она подключена; на странице показано то, что хранится в профиле.",
    ],
}


# Messages "msg/4" and "msg/5": a macro whose file cannot be written, and a macro that has no
# keyboard slot to bind.
MACRO_NOTICE_FIRST_MESSAGE = 4
MACRO_NOTICE_MESSAGES = {
    "031000": [
        "The macro could not be saved: its file cannot be written (the disk may be full or read-only). The steps stay on the page and the file keeps what it held.",
        "This macro has no slot on the keyboard, so it cannot be bound to a key. The macros that came with the program have one.",
    ],
    "025044": [
        "无法保存此宏：宏文件无法写入（磁盘可能已满或为只读）。步骤仍保留在页面上，文件内容保持不变。",
        "此宏在键盘上没有存储位置，因此无法绑定到按键。程序附带的宏都有存储位置。",
    ],
    "025208": [
        "無法儲存此巨集：巨集檔案無法寫入（磁碟可能已滿或為唯讀）。步驟仍保留在頁面上，檔案內容維持不變。",
        "此巨集在鍵盤上沒有儲存位置，因此無法指定給按鍵。程式隨附的巨集都有儲存位置。",
    ],
    "042000": [
        "Das Makro konnte nicht gespeichert werden: Seine Datei lässt sich nicht schreiben (der Datenträger ist vielleicht voll oder schreibgeschützt). Die Schritte bleiben auf der Seite, die Datei behält ihren Inhalt.",
        "Dieses Makro hat keinen Speicherplatz auf der Tastatur und kann daher keiner Taste zugewiesen werden. Die mit dem Programm gelieferten Makros haben einen.",
    ],
    "037000": [
        "Impossible d'enregistrer la macro : son fichier ne peut pas être écrit (le disque est peut-être plein ou en lecture seule). Les étapes restent sur la page et le fichier garde son contenu.",
        "Cette macro n'a pas d'emplacement sur le clavier : elle ne peut pas être attribuée à une touche. Les macros fournies avec le programme en ont un.",
    ],
    "111000": [
        "No se pudo guardar la macro: su archivo no se puede escribir (puede que el disco esté lleno o sea de solo lectura). Los pasos siguen en la página y el archivo conserva su contenido.",
        "Esta macro no tiene una posición en el teclado, así que no se puede asignar a una tecla. Las macros que vienen con el programa tienen una.",
    ],
    "059000": [
        "マクロを保存できませんでした。ファイルに書き込めません（ディスクがいっぱいか読み取り専用の可能性があります）。手順はページに残り、ファイルの内容は変わりません。",
        "このマクロにはキーボード上の保存領域がないため、キーに割り当てられません。プログラムに付属するマクロには保存領域があります。",
    ],
    "066000": [
        "매크로를 저장할 수 없습니다. 파일에 쓸 수 없습니다(디스크가 가득 찼거나 읽기 전용일 수 있습니다). 단계는 페이지에 남아 있고 파일 내용은 바뀌지 않습니다.",
        "이 매크로는 키보드에 저장 슬롯이 없어 키에 지정할 수 없습니다. 프로그램과 함께 제공되는 매크로에는 슬롯이 있습니다.",
    ],
    "096000": [
        "Не удалось сохранить макрос: его файл недоступен для записи (возможно, диск заполнен или доступен только для чтения). Шаги остаются на странице, файл сохраняет прежнее содержимое.",
        "У этого макроса нет ячейки в клавиатуре, поэтому его нельзя назначить клавише. Ячейки есть у макросов, поставляемых с программой.",
    ],
}
