fdgdf
numb_level
1
7
fon
2
2
fon_gr
floor.obf
0
1
walls.obf
1
2
fon_ob
1
0
0
1
1
floor.bmp
16
16
TRUE
2
0
0
2
2
walls.bmp
16
16
TRUE
active
4
4
1
3
3
3
active_gr
hero.oba
1
3
key.oba
2
4
door.oba
3
5
exit.oba
4
6
active_ob
1
20
20
3
1
hero.bmp
24
24
TRUE
2
136
40
4
2
key.bmp
16
16
TRUE
3
112
96
5
3
door.bmp
32
16
TRUE
4
144
176
6
4
exit.bmp
16
16
TRUE
text
1
text_gr
7
2
0
1
0
0
16777215
1
Ќайди ключ!
100
18
events
5
(obj[gr_obj[1][kr1]].collidesWith(obj[gr_obj[2][kr2]],false))
столкновение 1 с 2
event
(vis_obj[gr_obj[2][kr2]]==false)
хот€ бы один объект 2 невидимый
event
(obj[gr_obj[1][kr1]].collidesWith(obj[gr_obj[3][kr3]],false))
столкновение 1 с 3
event
(obtime-(obtime/500)*500==0)
каждые 0/0/50
event
(obj[gr_obj[1][kr1]].collidesWith(obj[gr_obj[4][kr4]],false))
столкновение 1 с 4
event
action
5
















{vis_obj[gr_obj[2][kr2]]=false;}
невидимый








































{vis_obj[gr_obj[3][kr3]]=false;}
невидимый


































{raspyobd[gr_obj[1][kr1]]=70;}
Y=70








































{obj[gr_obj[2][kr2]].stepFrame(1);}
кадр анимации: следующий


























{nextStage();}
уровень+1


































