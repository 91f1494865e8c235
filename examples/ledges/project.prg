fdgdf
numb_level
1
5
fon
2
2
fon_gr
sky.obf
0
1
ledges.obf
1
2
fon_ob
1
0
0
1
1
sky.bmp
16
16
TRUE
2
0
0
2
2
ledges.bmp
16
16
TRUE
active
3
3
1
2
3
active_gr
hero.oba
1
3
ghost.oba
2
4
flag.oba
3
5
active_ob
1
16
152
3
1
hero.bmp
24
24
TRUE
2
240
160
4
2
ghost.bmp
16
16
TRUE
3
608
160
5
3
flag.bmp
16
16
TRUE
text
0
text_gr
events
4
(obj[gr_obj[1][kr1]].collidesWith(obj[gr_obj[2][kr2]],false))
столкновение 1 с 2
event
(obj[gr_obj[1][kr1]].getY()>176)
Y-координата хотя бы одного объекта1 >176
event
(obtime-(obtime/500)*500==0)
каждые 0/0/50
event
(obj[gr_obj[1][kr1]].collidesWith(obj[gr_obj[3][kr3]],false))
столкновение 1 с 3
event
action
6




{restartStage();}
перезапуск уровня




{life=life+-1;}
изменение жизней на -1
































{restartStage();}
перезапуск уровня




{life=life+-1;}
изменение жизней на -1














































{obj[gr_obj[3][kr3]].stepFrame(1);}
кадр анимации: следующий
























{nextStage();}
уровень+1


















































































































