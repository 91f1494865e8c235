fdgdf
numb_level
1
5
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
4
3
1
3
3
0
active_gr
hero.oba
1
2
ghost.oba
2
3
firefly.oba
3
4
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
260
40
3
2
ghost.bmp
16
16
TRUE
3
100
150
4
3
firefly.bmp
8
8
TRUE
3
200
60
4
3
firefly.bmp
8
8
TRUE
text
1
text_gr
5
2
0
1
0
0
8454143
2
ќчки: {очки}
—ветл€чки: {светл€чки}
96
4
events
10
((obtime>=0)&(obtime<10))
Ќачало уровн€
event
((obj[gr_obj[2][kr2]].getX()-obj[gr_obj[1][kr1]].getX()<64)&(obj[gr_obj[2][kr2]].getX()-obj[gr_obj[1][kr1]].getX()>-64)&(obj[gr_obj[2][kr2]].getY()-obj[gr_obj[1][kr1]].getY()<64)&(obj[gr_obj[2][kr2]].getY()-obj[gr_obj[1][kr1]].getY()>-64)&((obj[gr_obj[2][kr2]].getX()-obj[gr_obj[1][kr1]].getX()>0)|(obj[gr_obj[2][kr2]].getX()-obj[gr_obj[1][kr1]].getX()<-0)|(obj[gr_obj[2][kr2]].getY()-obj[gr_obj[1][kr1]].getY()>0)|(obj[gr_obj[2][kr2]].getY()-obj[gr_obj[1][kr1]].getY()<-0)))&(objtip[gr_obj[2][kr2]]!=5)&(!obj[gr_obj[2][kr2]].gone)&(!obj[gr_obj[1][kr1]].gone)
обнаружение от 0 до 64
event
((obj[gr_obj[2][kr2]].getX()-obj[gr_obj[1][kr1]].getX()<20)&(obj[gr_obj[2][kr2]].getX()-obj[gr_obj[1][kr1]].getX()>-20)&(obj[gr_obj[2][kr2]].getY()-obj[gr_obj[1][kr1]].getY()<20)&(obj[gr_obj[2][kr2]].getY()-obj[gr_obj[1][kr1]].getY()>-20)&((obj[gr_obj[2][kr2]].getX()-obj[gr_obj[1][kr1]].getX()>0)|(obj[gr_obj[2][kr2]].getX()-obj[gr_obj[1][kr1]].getX()<-0)|(obj[gr_obj[2][kr2]].getY()-obj[gr_obj[1][kr1]].getY()>0)|(obj[gr_obj[2][kr2]].getY()-obj[gr_obj[1][kr1]].getY()<-0)))&(objtip[gr_obj[2][kr2]]!=5)&(!obj[gr_obj[2][kr2]].gone)&(!obj[gr_obj[1][kr1]].gone)
обнаружение от 0 до 20
event
(obtime-(obtime/3000)*3000==0)
каждые 0/3/0
event
((obj[gr_obj[3][kr3]].getX()-obj[gr_obj[1][kr1]].getX()<40)&(obj[gr_obj[3][kr3]].getX()-obj[gr_obj[1][kr1]].getX()>-40)&(obj[gr_obj[3][kr3]].getY()-obj[gr_obj[1][kr1]].getY()<40)&(obj[gr_obj[3][kr3]].getY()-obj[gr_obj[1][kr1]].getY()>-40)&((obj[gr_obj[3][kr3]].getX()-obj[gr_obj[1][kr1]].getX()>0)|(obj[gr_obj[3][kr3]].getX()-obj[gr_obj[1][kr1]].getX()<-0)|(obj[gr_obj[3][kr3]].getY()-obj[gr_obj[1][kr1]].getY()>0)|(obj[gr_obj[3][kr3]].getY()-obj[gr_obj[1][kr1]].getY()<-0)))&(objtip[gr_obj[3][kr3]]!=5)&(!obj[gr_obj[3][kr3]].gone)&(!obj[gr_obj[1][kr1]].gone)
обнаружение от 0 до 40
event
(obj[gr_obj[1][kr1]].collidesWith(obj[gr_obj[3][kr3]],false))
столкновение 1 с 3
event
((obtime>=20000)&(obtime<20000+10))
“аймер равен 0/20/0
event









action
9










{life=3;}
жизни = 3












































{objtip[gr_obj[2][kr2]]=2;kd=kr1;}
режим: преследование






































{objtip[gr_obj[2][kr2]]=3;kd=kr1;}
режим: атака






































{objtip[gr_obj[2][kr2]]=1;}
режим: спокойствие








































{objtip[gr_obj[3][kr3]]=4;kd=kr1;}
режим: избегание




















{GameValues.v1=GameValues.v1+1;}
светл€чки + 1








{GameValues.v0=GameValues.v0+10;}
очки + 10






{vis_obj[gr_obj[3][kr3]]=false;}
невидимый
























{nextStage();}
уровень+1


















































































































