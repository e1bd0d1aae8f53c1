<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Messages</name>
    <message>
        <source>Connect</source>
        <translation>Подключиться</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Отключиться</translation>
    </message>
    <message>
        <source>Message from: %1<byte value="xd"/>&gt;%2</source>
        <translation>Сообщение от %1:<byte value="xd"/>&gt;%2</translation>
    </message>
    <message>
        <source>Put a letter</source>
        <translation>Поставьте букву</translation>
    </message>
    <message>
        <source>Mark the word</source>
        <translation>Отметьте слово</translation>
    </message>
    <message>
        <source>New letter is not marked</source>
        <translation>Новая буква не отмечена</translation>
    </message>
    <message>
        <source>The word is too short</source>
        <translation>Слово слишком короткое</translation>
    </message>
    <message>
        <source>The word is too long</source>
        <translation>Слово слишком длинное</translation>
    </message>
    <message>
        <source>Unknown word</source>
        <translation>Неизвестное слово</translation>
    </message>
    <message>
        <source>Unknown word. Accept?</source>
        <translation>Неизвестное слово. Принять?</translation>
    </message>
    <message>
        <source>The word is already constructed</source>
        <translation>Слово уже составлено</translation>
    </message>
    <message>
        <source>The word is already formed</source>
        <translation>Слово уже есть на поле</translation>
    </message>
    <message>
        <source>The player with such name has already connected.</source>
        <translation>Игрок с таким именем уже подключён.</translation>
    </message>
    <message>
        <source>The server is inaccessible.</source>
        <translation>Сервер недоступен.</translation>
    </message>
    <message>
        <source>Network error.</source>
        <translation>Ошибка сети.</translation>
    </message>
    <message>
        <source>You should enter your name.</source>
        <translation>Введите своё имя.</translation>
    </message>
    <message>
        <source>It is unable to establish the connection with the server.</source>
        <translation>Не удаётся установить соединение с сервером.</translation>
    </message>
    <message>
        <source>It is unable to establish the server for network game.</source>
        <translation>Не удаётся запустить сервер для сетевой игры.</translation>
    </message>
    <message>
        <source>The server plays with a dictionary of another language. Choose the same dictionary as the server to join its games.</source>
        <translation>Сервер играет со словарём другого языка. Чтобы участвовать в его играх, выберите тот же словарь, что и у сервера.</translation>
    </message>
    <message>
        <source>Incorrect game parameters.</source>
        <translation>Неверные параметры игры.</translation>
    </message>
    <message>
        <source>You must assign the names for all players.</source>
        <translation>Задайте имена всех игроков.</translation>
    </message>
    <message>
        <source>Movement directions are not defined.</source>
        <translation>Не заданы направления движения.</translation>
    </message>
    <message>
        <source>One player must be a human.</source>
        <translation>Один из игроков должен быть человеком.</translation>
    </message>
    <message>
        <source>Only one player can be a human.</source>
        <translation>Человеком может быть только один игрок.</translation>
    </message>
    <message>
        <source>Error when opening the dictionary file.</source>
        <translation>Ошибка при открытии файла словаря.</translation>
    </message>
    <message>
        <source>Press F2 to start a new game</source>
        <translation>Нажмите F2 для новой игры</translation>
    </message>
    <message>
        <source>%1 wins</source>
        <translation>Победитель: %1</translation>
    </message>
    <message>
        <source>The game is a draw</source>
        <translation>Ничья</translation>
    </message>
    <message>
        <source>The server started a game that cannot be played here. The connection is closed.</source>
        <translation>Сервер начал игру, в которую здесь играть нельзя. Соединение закрыто.</translation>
    </message>
    <message>
        <source>The records folder %1 does not exist.</source>
        <translation>Папка рекордов %1 не существует.</translation>
    </message>
    <message>
        <source>%1, port %2: the server refused the connection.</source>
        <translation>%1, порт %2: сервер отказал в соединении.</translation>
    </message>
    <message>
        <source>%1, port %2: the network has no route to the server.</source>
        <translation>%1, порт %2: сеть не знает пути к серверу.</translation>
    </message>
    <message>
        <source>%1, port %2: the server did not answer in time.</source>
        <translation>%1, порт %2: сервер не ответил вовремя.</translation>
    </message>
    <message>
        <source>%1, port %2: no computer of this name was found.</source>
        <translation>%1, порт %2: компьютер с таким именем не найден.</translation>
    </message>
    <message>
        <source>%1, port %2: the server cannot be reached.</source>
        <translation>%1, порт %2: до сервера не удаётся добраться.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Cannot open the folder %1: %2</source>
        <translation>Не удаётся открыть папку %1: %2</translation>
    </message>
    <message>
        <source>Tessaroon looked for the dictionary %1 (the file %1.tqd or %1.txt) in the folder %2. Start the game in its own folder, the one that holds Tessaroon.ini and Dicts, or name a dictionary found there by the key Dict in Tessaroon.ini.</source>
        <translation>Tessaroon искал словарь %1 (файл %1.tqd или %1.txt) в папке %2. Запустите игру в её собственной папке, где лежат Tessaroon.ini и Dicts, или назовите ключом Dict в Tessaroon.ini словарь, который там есть.</translation>
    </message>
</context>
<context>
    <name>tq::help::HelpWindow</name>
    <message>
        <source>Tessaroon Help</source>
        <translation>Справка Tessaroon</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Навигация</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Вперёд</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Содержание</translation>
    </message>
    <message>
        <source>Topics</source>
        <translation>Разделы</translation>
    </message>
    <message>
        <source>Help page</source>
        <translation>Страница справки</translation>
    </message>
</context>
<context>
    <name>tq::ui::Access</name>
    <message>
        <source>%1, column %2, row %3</source>
        <translation>%1, столбец %2, строка %3</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>пусто</translation>
    </message>
    <message>
        <source>%1, marked</source>
        <translation>%1, отмечена</translation>
    </message>
    <message>
        <source>%1, hinted</source>
        <translation>%1, подсказана</translation>
    </message>
    <message>
        <source>%1, cursor</source>
        <translation>%1, курсор</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Столбец %1</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Игрок</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Слово</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Очки</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>Буква</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Announcements</source>
        <translation>Объявления</translation>
    </message>
</context>
<context>
    <name>tq::ui::Coach</name>
    <message>
        <source>No word to form here</source>
        <translation>Здесь слово не составить</translation>
    </message>
    <message numerus="yes">
        <source>Try %1, %n points</source>
        <translation>
            <numerusform>Совет: %1, %n очко</numerusform>
            <numerusform>Совет: %1, %n очка</numerusform>
            <numerusform>Совет: %1, %n очков</numerusform>
        </translation>
    </message>
    <message>
        <source>No hint: no game is under way</source>
        <translation>Совета нет: игра не идёт</translation>
    </message>
    <message>
        <source>No hint: the game is over</source>
        <translation>Совета нет: игра окончена</translation>
    </message>
    <message>
        <source>No hints in a rated game</source>
        <translation>В игре на рейтинг советов нет</translation>
    </message>
    <message>
        <source>No hint: the move is made at another computer</source>
        <translation>Совета нет: ход делают за другим компьютером</translation>
    </message>
    <message>
        <source>No hint: it is the computer&apos;s move</source>
        <translation>Совета нет: ходит компьютер</translation>
    </message>
    <message>
        <source>No hint now: wait for your move</source>
        <translation>Совета сейчас нет: дождитесь своего хода</translation>
    </message>
    <message>
        <source>No review: no game has been played yet</source>
        <translation>Разбора нет: ещё не было игры</translation>
    </message>
    <message>
        <source>No review of a rated game before its end</source>
        <translation>Разбор игры на рейтинг — только после её конца</translation>
    </message>
</context>
<context>
    <name>tq::ui::ExplainWindow</name>
    <message>
        <source>Meaning of the word</source>
        <translation>Значение слова</translation>
    </message>
    <message>
        <source>Look it up</source>
        <translation>Найти в словаре</translation>
    </message>
    <message>
        <source>Opens the word&apos;s page in Wiktionary in your browser.</source>
        <translation>Открывает страницу слова в Викисловаре в вашем браузере.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>No explanation of this word comes with the game.</source>
        <translation>Объяснения этого слова в игре нет.</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>What does %1 mean?</source>
        <translation>Что значит %1?</translation>
    </message>
    <message>
        <source>Look %1 up in Wiktionary</source>
        <translation>Найти %1 в Викисловаре</translation>
    </message>
</context>
<context>
    <name>tq::ui::ScoreChartView</name>
    <message>
        <source>Score chart</source>
        <translation>График очков</translation>
    </message>
    <message>
        <source>Each seat&apos;s total after every move, round by round.</source>
        <translation>Сумма очков каждого игрока после каждого хода, по кругам.</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>Круг</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Очки</translation>
    </message>
</context>
<context>
    <name>tq::ui::TAboutForm</name>
    <message>
        <source>© 2026 Tessaroon authors</source>
        <translation>© 2026 авторы Tessaroon</translation>
    </message>
    <message>
        <source>Words: OpenCorpora, CC BY-SA;
WordNet and SCOWL licences</source>
        <translation>Слова: OpenCorpora, CC BY-SA;
лицензии WordNet и SCOWL</translation>
    </message>
    <message>
        <source>About Tessaroon</source>
        <translation>Об игре Tessaroon</translation>
    </message>
    <message>
        <source>Russian words: OpenCorpora, CC BY-SA 3.0. English words: WordNet 3.0 (WordNet licence) and SCOWL (SCOWL licence). The licences lie beside the word lists in the folder Dicts.</source>
        <translation>Русские слова: OpenCorpora, CC BY-SA 3.0. Английские слова: WordNet 3.0 (лицензия WordNet) и SCOWL (лицензия SCOWL). Тексты лицензий лежат рядом со списками слов в папке Dicts.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>tq::ui::TInfoForm</name>
    <message>
        <source>Game Status</source>
        <translation>Состояние игры</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Game Results</source>
        <translation>Итоги игры</translation>
    </message>
    <message>
        <source>Player Name</source>
        <translation>Имя игрока</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Очки</translation>
    </message>
</context>
<context>
    <name>tq::ui::TInputForm</name>
    <message>
        <source>Letter window</source>
        <translation>Окно букв</translation>
    </message>
    <message>
        <source>Type a letter, or press Esc to put none.</source>
        <translation>Наберите букву или нажмите Esc, чтобы не ставить никакой.</translation>
    </message>
</context>
<context>
    <name>tq::ui::TMainForm</name>
    <message>
        <source>Status</source>
        <translation>Счёт</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Слово</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Очки</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>Буква</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Игра</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Новая игра</translation>
    </message>
    <message>
        <source>Options...</source>
        <translation>Параметры...</translation>
    </message>
    <message>
        <source>Records...</source>
        <translation>Рекорды...</translation>
    </message>
    <message>
        <source>Style...</source>
        <translation>Стиль...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Содержание</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Об игре...</translation>
    </message>
    <message>
        <source>%1 has left the game. The computer plays seat %2 now.</source>
        <translation>Игрок %1 покинул игру. Теперь за место %2 играет компьютер.</translation>
    </message>
    <message>
        <source>%1 has left the game. The computer plays seats %2 now.</source>
        <translation>Игрок %1 покинул игру. Теперь за места %2 играет компьютер.</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Поле</translation>
    </message>
    <message>
        <source>The arrow keys move the cursor, a letter key puts a letter, Space marks a cell, Enter offers the marked word.</source>
        <translation>Стрелки двигают курсор, клавиша буквы ставит букву, пробел отмечает клетку, Enter предлагает отмеченное слово.</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Результаты</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>Страница вверх</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>Страница вниз</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Подсказка</translation>
    </message>
    <message>
        <source>Time left for the move</source>
        <translation>Время, оставшееся на ход</translation>
    </message>
    <message>
        <source>A new game on a field of %1 by %2 cells.</source>
        <translation>Новая игра на поле %1 на %2 клеток.</translation>
    </message>
    <message>
        <source>The game is over. %1</source>
        <translation>Игра окончена. %1</translation>
    </message>
    <message numerus="yes">
        <source>%1: no word, letter %2, %n points</source>
        <translation>
            <numerusform>%1: без слова, буква %2, %n очко</numerusform>
            <numerusform>%1: без слова, буква %2, %n очка</numerusform>
            <numerusform>%1: без слова, буква %2, %n очков</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %2, %n points</source>
        <translation>
            <numerusform>%1: %2, %n очко</numerusform>
            <numerusform>%1: %2, %n очка</numerusform>
            <numerusform>%1: %2, %n очков</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tq::ui::TOptionsForm</name>
    <message>
        <source>Human</source>
        <translation>Человек</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Компьютер</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Клиент</translation>
    </message>
    <message>
        <source>Game Options</source>
        <translation>Параметры игры</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Игроки</translation>
    </message>
    <message>
        <source>Game Field</source>
        <translation>Поле</translation>
    </message>
    <message>
        <source>Rules</source>
        <translation>Правила</translation>
    </message>
    <message>
        <source>Additional</source>
        <translation>Дополнительно</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Записать</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Принять</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>The help topic %1 cannot be opened: no help viewer is installed.</source>
        <translation>Не удаётся открыть раздел справки %1: программа просмотра справки не установлена.</translation>
    </message>
    <message>
        <source>Game mode</source>
        <translation>Режим игры</translation>
    </message>
    <message>
        <source>General mode</source>
        <translation>Обычный режим</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Сервер</translation>
    </message>
    <message>
        <source>Rated game</source>
        <translation>Игра на рейтинг</translation>
    </message>
    <message>
        <source>Your name:</source>
        <translation>Ваше имя:</translation>
    </message>
    <message>
        <source>Server name (IP-address):</source>
        <translation>Имя сервера (IP-адрес):</translation>
    </message>
    <message>
        <source>Recipient:</source>
        <translation>Получатель:</translation>
    </message>
    <message>
        <source>Message:</source>
        <translation>Текст:</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Отправить</translation>
    </message>
    <message>
        <source>Player count:</source>
        <translation>Число игроков:</translation>
    </message>
    <message>
        <source>Player %1</source>
        <translation>Игрок %1</translation>
    </message>
    <message>
        <source>Field dimensions:</source>
        <translation>Размер поля:</translation>
    </message>
    <message>
        <source>Word count per one move:</source>
        <translation>Слов за один ход:</translation>
    </message>
    <message>
        <source>Minimum word length:</source>
        <translation>Наименьшая длина слова:</translation>
    </message>
    <message>
        <source>Maximum word length:</source>
        <translation>Наибольшая длина слова:</translation>
    </message>
    <message>
        <source>Movement directions</source>
        <translation>Направления движения</translation>
    </message>
    <message>
        <source>Use symbol &quot;?&quot; in the initial word</source>
        <translation>Знак «?» в начальном слове</translation>
    </message>
    <message>
        <source>Allow cross letter chains</source>
        <translation>Разрешить пересечение цепочек</translation>
    </message>
    <message>
        <source>Allow constructing of already formed words</source>
        <translation>Разрешить слова, уже видимые на поле</translation>
    </message>
    <message>
        <source>Time limit for one word:</source>
        <translation>Время на одно слово:</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>сек.</translation>
    </message>
    <message>
        <source>Bonus for remained time:</source>
        <translation>Бонус за оставшееся время:</translation>
    </message>
    <message>
        <source>one point for every</source>
        <translation>одно очко за каждые</translation>
    </message>
    <message>
        <source>Fine for additional time:</source>
        <translation>Штраф за лишнее время:</translation>
    </message>
    <message>
        <source>Accept unknown words</source>
        <translation>Принимать неизвестные слова</translation>
    </message>
    <message>
        <source>No network address was found: only this computer can join, at 127.0.0.1.
The server listens on port %1.</source>
        <translation>Сетевой адрес не найден: подключиться можно только с этого компьютера, по адресу 127.0.0.1.
Сервер ждёт подключений на порту %1.</translation>
    </message>
    <message>
        <source>Other players choose Client and connect to this computer&apos;s address: %1.
The server listens on port %2.</source>
        <translation>Другие игроки выбирают «Клиент» и подключаются к адресу этого компьютера: %1.
Сервер ждёт подключений на порту %2.</translation>
    </message>
    <message>
        <source>Other players choose Client and connect to one of this computer&apos;s addresses: %1.
The server listens on port %2.</source>
        <translation>Другие игроки выбирают «Клиент» и подключаются к одному из адресов этого компьютера: %1.
Сервер ждёт подключений на порту %2.</translation>
    </message>
    <message>
        <source>Up and left</source>
        <translation>Вверх и влево</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Вверх</translation>
    </message>
    <message>
        <source>Up and right</source>
        <translation>Вверх и вправо</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Влево</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Вправо</translation>
    </message>
    <message>
        <source>Down and left</source>
        <translation>Вниз и влево</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Вниз</translation>
    </message>
    <message>
        <source>Down and right</source>
        <translation>Вниз и вправо</translation>
    </message>
    <message>
        <source>Player %1 name</source>
        <translation>Имя игрока %1</translation>
    </message>
    <message>
        <source>Player %1 type</source>
        <translation>Тип игрока %1</translation>
    </message>
    <message>
        <source>Player %1 skill</source>
        <translation>Уровень игрока %1</translation>
    </message>
    <message>
        <source>Field columns</source>
        <translation>Столбцы поля</translation>
    </message>
    <message>
        <source>Field rows</source>
        <translation>Строки поля</translation>
    </message>
    <message>
        <source>Bonus for remained time: one point for every so many seconds</source>
        <translation>Бонус за оставшееся время: одно очко за каждые столько секунд</translation>
    </message>
    <message>
        <source>Fine for additional time: one point for every so many seconds</source>
        <translation>Штраф за дополнительное время: одно очко за каждые столько секунд</translation>
    </message>
    <message>
        <source>Move limit:</source>
        <translation>Предел хода:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source> s</source>
        <translation> с</translation>
    </message>
    <message>
        <source>Seconds a player at another computer may take for a move; then the computer plays that seat.</source>
        <translation>Сколько секунд игрок за другим компьютером может думать над ходом; потом его место играет компьютер.</translation>
    </message>
    <message>
        <source>Seat to computer</source>
        <translation>Место компьютеру</translation>
    </message>
    <message>
        <source>Closes the connection of the chosen player; the computer plays the player&apos;s seats.</source>
        <translation>Закрывает соединение выбранного игрока; его места играет компьютер.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a server: give a host name or an IP address, with &quot;:port&quot; after it for a port other than %2 (an IPv6 address then in brackets).</source>
        <translation>«%1» — не имя сервера: укажите имя компьютера или IP-адрес, а для порта, отличного от %2, — «:порт» после него (адрес IPv6 тогда в квадратных скобках).</translation>
    </message>
    <message>
        <source>Host through a relay:</source>
        <translation>Через ретранслятор:</translation>
    </message>
    <message>
        <source>Players on other networks join a room at the relay by its code.</source>
        <translation>Игроки из других сетей входят в комнату на ретрансляторе по её коду.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Copies the relay and the room&apos;s code, to paste into a message.</source>
        <translation>Копирует адрес ретранслятора и код комнаты, чтобы вставить их в сообщение.</translation>
    </message>
    <message>
        <source>No room is open at the relay %1.</source>
        <translation>На ретрансляторе %1 комната не открыта.</translation>
    </message>
    <message>
        <source>Other players choose Client and enter as the server: %1</source>
        <translation>Другие игроки выбирают «Клиент» и вводят как сервер: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a relay: give a host name or an IP address, with &quot;:port&quot; after it for a port other than %2.</source>
        <translation>«%1» — не ретранслятор: укажите имя узла или IP-адрес, а после него «:порт», если порт не %2.</translation>
    </message>
    <message>
        <source>The relay %1 takes no more rooms now.</source>
        <translation>Ретранслятор %1 сейчас не принимает новых комнат.</translation>
    </message>
    <message>
        <source>The relay %1 holds as many rooms of this computer as it allows.</source>
        <translation>На ретрансляторе %1 уже столько комнат этого компьютера, сколько он допускает.</translation>
    </message>
    <message>
        <source>%1 did not answer as a relay does.</source>
        <translation>%1 ответил не так, как отвечает ретранслятор.</translation>
    </message>
    <message>
        <source>The connection to the relay %1 failed or ended; its room is closed.</source>
        <translation>Соединение с ретранслятором %1 не удалось или прервалось; комната закрыта.</translation>
    </message>
</context>
<context>
    <name>tq::ui::TRecForm</name>
    <message>
        <source>Record Table</source>
        <translation>Таблица рекордов</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>Место</translation>
    </message>
    <message>
        <source>Player Name</source>
        <translation>Имя игрока</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Рекорд</translation>
    </message>
    <message>
        <source>New Record!</source>
        <translation>Новый рекорд!</translation>
    </message>
</context>
<context>
    <name>tq::ui::TReviewForm</name>
    <message>
        <source>Review</source>
        <translation>Разбор игры</translation>
    </message>
    <message>
        <source>Seat</source>
        <translation>Игрок</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Слово</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Очки</translation>
    </message>
    <message>
        <source>Best word</source>
        <translation>Лучшее слово</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Совет</translation>
    </message>
    <message>
        <source>hint</source>
        <translation>совет</translation>
    </message>
    <message>
        <source>No move of a player at this computer yet.</source>
        <translation>У игроков за этим компьютером ещё нет ходов.</translation>
    </message>
    <message>
        <source>Word points</source>
        <translation>Очки за слово</translation>
    </message>
    <message>
        <source>The move&apos;s points as the results table shows them, the clock&apos;s bonus and fine included.</source>
        <translation>Очки хода, как их показывает таблица результатов, с премией и штрафом часов.</translation>
    </message>
    <message>
        <source>The best word&apos;s points: 10 a letter, without bonus or fine.</source>
        <translation>Очки лучшего слова: 10 за букву, без премии и штрафа.</translation>
    </message>
    <message>
        <source>Played word</source>
        <translation>Сыгранное слово</translation>
    </message>
    <message>
        <source>Select a move: the field shows it as it was before that move.</source>
        <translation>Выберите ход: поле покажется таким, каким было перед ним.</translation>
    </message>
    <message>
        <source>No player at this computer moved in this game.</source>
        <translation>Игроки за этим компьютером в этой игре не ходили.</translation>
    </message>
    <message>
        <source>%1: you scored %2 points; your words made %3 of %4 possible word points</source>
        <translation>%1: набрано очков: %2; ваши слова дали %3 из %4 возможных очков за слова</translation>
    </message>
    <message>
        <source>%1: you scored %2 points; your words made %3 of %4 possible word points, 1 hint</source>
        <translation>%1: набрано очков: %2; ваши слова дали %3 из %4 возможных очков за слова, 1 совет</translation>
    </message>
    <message numerus="yes">
        <source>%1: you scored %2 points; your words made %3 of %4 possible word points, %n hints</source>
        <translation>
            <numerusform>%1: набрано очков: %2; ваши слова дали %3 из %4 возможных очков за слова, %n совет</numerusform>
            <numerusform>%1: набрано очков: %2; ваши слова дали %3 из %4 возможных очков за слова, %n совета</numerusform>
            <numerusform>%1: набрано очков: %2; ваши слова дали %3 из %4 возможных очков за слова, %n советов</numerusform>
        </translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Ходы</translation>
    </message>
</context>
<context>
    <name>tq::ui::TStyleForm</name>
    <message>
        <source>Style Parameters</source>
        <translation>Параметры стиля</translation>
    </message>
    <message>
        <source>Style name:</source>
        <translation>Название стиля:</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Записать</translation>
    </message>
    <message>
        <source>Fill color:</source>
        <translation>Цвет заливки:</translation>
    </message>
    <message>
        <source>Border color:</source>
        <translation>Цвет рамки:</translation>
    </message>
    <message>
        <source>Highlight color:</source>
        <translation>Цвет выделения:</translation>
    </message>
    <message>
        <source>General Options</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>Font color:</source>
        <translation>Цвет шрифта:</translation>
    </message>
    <message>
        <source>Cell color:</source>
        <translation>Цвет ячейки:</translation>
    </message>
    <message>
        <source>Table Headlines</source>
        <translation>Заголовки</translation>
    </message>
    <message>
        <source>Cell shapes:</source>
        <translation>Вид ячеек:</translation>
    </message>
    <message>
        <source>Game Field</source>
        <translation>Поле</translation>
    </message>
    <message>
        <source>Input Window</source>
        <translation>Окно букв</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Принять</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>A style name cannot contain &quot;/&quot; or &quot;\&quot;.</source>
        <translation>Название стиля не может содержать «/» или «\».</translation>
    </message>
    <message>
        <source>Do you want to change the existing style?</source>
        <translation>Изменить существующий стиль?</translation>
    </message>
    <message>
        <source>Granite</source>
        <translation>Гранит</translation>
    </message>
    <message>
        <source>Malachite</source>
        <translation>Малахит</translation>
    </message>
    <message>
        <source>Marble</source>
        <translation>Мрамор</translation>
    </message>
    <message>
        <source>Style name</source>
        <translation>Название стиля</translation>
    </message>
</context>
</TS>
