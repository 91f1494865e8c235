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
2
0
active_gr
hero.oba
1
2
ghost.oba
2
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
0
1
0
0
8400896
2
Лесная прогулка
Дойди до края леса!
8
24
events
5
((obtime>=0)&(obtime<10))
Начало уровня
event
((obtime>=10000)&(obtime<10000+10))
Таймер равен 0/10/0
event
(obj[gr_obj[1][kr1]].getX()>=296)
Х-координата хотя бы одного объекта1 >=296
event
((obj[gr_obj[2][kr2]].getX()-obj[gr_obj[1][kr1]].getX()<40)&(obj[gr_obj[2][kr2]].getX()-obj[gr_obj[1][kr1]].getX()>-40)&(obj[gr_obj[2][kr2]].getY()-obj[gr_obj[1][kr1]].getY()<40)&(obj[gr_obj[2][kr2]].getY()-obj[gr_obj[1][kr1]].getY()>-40)&((obj[gr_obj[2][kr2]].getX()-obj[gr_obj[1][kr1]].getX()>0)|(obj[gr_obj[2][kr2]].getX()-obj[gr_obj[1][kr1]].getX()<-0)|(obj[gr_obj[2][kr2]].getY()-obj[gr_obj[1][kr1]].getY()>0)|(obj[gr_obj[2][kr2]].getY()-obj[gr_obj[1][kr1]].getY()<-0)))&(objtip[gr_obj[2][kr2]]!=5)&(!obj[gr_obj[2][kr2]].gone)&(!obj[gr_obj[1][kr1]].gone)
обнаружение от 0 до 40
event



action
6


{Sounds.play(1,0);}
играть звук 1






{life=3;}
жизни = 3






































{life=life+1;}
изменение жизней на 1






























{Sounds.tone(84,150);}
сигнал C6, 150 мс
{nextStage();}
уровень+1


















































{objtip[gr_obj[2][kr2]]=3;kd=kr1;}
режим: атака






































































































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
(obj[gr_obj[1][kr1]].getX()>=616)
Х-координата хотя бы одного объекта1 >=616
event
action
1




{nextStage();}
уровень+1


































