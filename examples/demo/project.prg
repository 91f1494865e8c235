fdgdf
numb_level
2
4
fon
1
1
fon_gr
forest.obf
0
1
fon_ob
1
0
0
1
1
forest.bmp
16
16
TRUE
active
3
2
1
3
0
active_gr
hero.oba
1
2
ghost.oba

3
active_ob
1
24
84
2
1
hero.bmp
24
24
TRUE
2
150
40
3
2
ghost.bmp
16
16
TRUE
2
250
120
3
2
ghost.bmp
16
16
TRUE
text
1
text_gr
4
2
2
1
0
0
8400896
2
Лесная прогулка
Собери все монеты!
90
200
events
3
((obtime>=0)&(obtime<10))
Начало уровня
event
(obtime>500)
Таймер больше 500
event
(life==0)
Число жизней равно 0
event
action
3










{life=3;}
жизни = 3






































{life=life+1;}
увеличение жизней = 1






































{life=3;}
жизни = 3




























2
fon
1
2
fon_gr
forest.obf
0
1
fon_ob
1
0
0
1
1
forest.bmp
16
16
TRUE
1
320
0
1
1
forest.bmp
16
16
TRUE
active
1
1
1
active_gr
hero.oba
1
2
active_ob
1
40
84
2
1
hero.bmp
24
24
TRUE
text
0
text_gr
events
1
(obtime>0)
Всегда
event
action
1










{life=life+1;}
увеличение жизней = 1




























